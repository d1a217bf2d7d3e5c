// Exporting every decoder setting and importing it back over the memory registry: a round
// trip restores exactly what was stored, and a file holding anything an export cannot hold
// is refused whole, at its first bad line, with nothing written.
#include "pages/SettingsCatalogue.h"
#include "pages/SettingsTransfer.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/RegFile.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace zelora {
namespace {

using Snapshot = std::map<std::tuple<RegRoot, std::string, std::string>,
                          std::pair<RegType, std::vector<unsigned char>>>;

Snapshot Take(const MemoryRegistry& registry)
{
    Snapshot values;
    registry.Visit([](RegRoot, const std::string&) {},
                   [&](RegRoot root, const std::string& path, std::string_view name, RegType type,
                       std::span<const unsigned char> data) {
                       values[{root, path, std::string(name)}] = {
                           type, std::vector<unsigned char>(data.begin(), data.end())};
                   });
    return values;
}

std::vector<unsigned char> Utf16File(std::string_view utf8)
{
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

SettingsImport Import(std::string_view text, RegistryBackend& registry)
{
    const std::vector<unsigned char> file = Utf16File(text);
    return ImportSettings(file, file.size(), registry);
}

std::vector<unsigned char> Text16(std::u16string_view text)
{
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void Set(MemoryRegistry& registry, const SettingValue& setting, std::int32_t number,
         std::u16string_view text)
{
    std::vector<unsigned char> data;
    if (setting.type == RegType::Dword) {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(number) >> shift));
    } else {
        data = Text16(text);
    }
    registry.SetValue(setting.at.root, setting.at.key, setting.at.name, setting.type, data.data(),
                      static_cast<std::uint32_t>(data.size()));
}

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kXvid = "[HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n";

TEST(SettingsTransfer, ExportThenChangesThenImportRestoresEveryValue)
{
    MemoryRegistry registry;
    // Texts that take the quoted form with both escapes, and the hex form with continuations.
    const std::u16string texts[] = {u"1.778279", u"a\\b\"c 한글", u"line\r\nbreak " + std::u16string(60, u'x')};
    int i = 0;
    for (const SettingValue& setting : SettingValues()) {
        Set(registry, setting, i * 37 - 400, texts[i % 3]);
        ++i;
    }
    const Snapshot before = Take(registry);
    const SettingsExport exported = ExportSettings(registry);
    EXPECT_EQ(exported.values, SettingValues().size());
    EXPECT_TRUE(exported.leftOut.empty());

    int changed = 0;
    for (const SettingValue& setting : SettingValues())
        if (changed < 5 && (++changed, true)) Set(registry, setting, 12345, u"0.5");
    ASSERT_NE(Take(registry), before);

    const SettingsImport imported = ImportSettings(exported.file, exported.file.size(), registry);
    EXPECT_EQ(imported.refusal, ImportRefusal::None) << "line " << imported.line;
    EXPECT_EQ(imported.written, SettingValues().size());
    EXPECT_EQ(Take(registry), before);

    // Regedit's own layout: a byte-order mark, the header, sections, dword lines.
    const std::string text = Utf16ToUtf8(std::u16string(
        reinterpret_cast<const char16_t*>(exported.file.data() + 2), (exported.file.size() - 2) / 2));
    EXPECT_EQ(text.rfind(kHeader, 0), 0u);
    EXPECT_NE(text.find(kXvid), std::string::npos);
    EXPECT_NE(text.find("\"a\\\\b\\\"c 한글\""), std::string::npos);
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos);
}

TEST(SettingsTransfer, ExportReadsOnlyWhatExistsAndLeavesOutOddForms)
{
    MemoryRegistry registry;
    EXPECT_EQ(ExportSettings(registry).values, 0u);
    EXPECT_FALSE(registry.KeyExists(RegRoot::CurrentUser, "Software\\GNU\\XviD"));

    registry.SetValue(RegRoot::CurrentUser, "Software\\GNU\\XviD", "Deblock_Y", RegType::String,
                      "1\0", 2);
    const SettingsExport exported = ExportSettings(registry);
    EXPECT_EQ(exported.values, 0u);
    ASSERT_EQ(exported.leftOut.size(), 1u);
    EXPECT_NE(ExportMessage(exported).find("Software\\GNU\\XviD\\Deblock_Y"), std::string::npos);
}

struct RefusedFile {
    const char* what;
    std::string body;  // after the header and the Xvid key
    ImportRefusal refusal;
    int line;
};

TEST(SettingsTransfer, AFileWithAnythingAnExportCannotHoldWritesNothing)
{
    const RefusedFile cases[] = {
        {"Run key", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                    "\"x\"=\"c:\\\\x.exe\"\r\n", ImportRefusal::OtherKey, 4},
        {"another root", "[HKEY_USERS\\.DEFAULT\\Software\\GNU\\XviD]\r\n", ImportRefusal::OtherKey, 4},
        {"unknown value", "\"Deblock_Z\"=dword:00000001\r\n", ImportRefusal::UnknownValue, 4},
        {"default value", "@=\"x\"\r\n", ImportRefusal::UnknownValue, 4},
        {"DWORD as text", "\"Deblock_Y\"=\"1\"\r\n", ImportRefusal::WrongType, 4},
        {"DWORD of three bytes", "\"Deblock_Y\"=hex(4):01,00,00\r\n", ImportRefusal::WrongType, 4},
        {"gain as DWORD", "[HKEY_CURRENT_USER\\Software\\AC3Filter\\preset\\Default]\r\n"
                          "\"master\"=dword:00000001\r\n", ImportRefusal::WrongType, 5},
        {"G400 under HKCU", "[HKEY_CURRENT_USER\\SOFTWARE\\KVX\\DivXG400]\r\n", ImportRefusal::OtherKey, 4},
        {"deleted value", "\"Deblock_Y\"=-\r\n", ImportRefusal::Deletion, 4},
        {"deleted key", "[-HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n", ImportRefusal::Deletion, 4},
        {"twice", "\"Deblock_Y\"=dword:1\r\n\"deblock_y\"=dword:1\r\n", ImportRefusal::Repeated, 5},
        {"no equals sign", "\"Deblock_Y\" dword:1\r\n", ImportRefusal::Malformed, 4},
        {"unknown escape", "\"Deblock\\n\"=dword:1\r\n", ImportRefusal::Malformed, 4},
        {"nine digits", "\"Deblock_Y\"=dword:000000001\r\n", ImportRefusal::Malformed, 4},
        {"open quote", "\"FilmEffect=dword:1\r\n", ImportRefusal::Malformed, 4},
        {"bad continuation", "\"Deblock_Y\"=hex(4):01,00,\\\r\n  00 00\r\n", ImportRefusal::Malformed, 5},
        {"dangling continuation", "\"Deblock_Y\"=hex(4):01,00,\\\r\n", ImportRefusal::Malformed, 4},
        {"stray text", "FlipVideo=1\r\n", ImportRefusal::Malformed, 4},
        {"first bad line counts", "\"FlipVideo\"=dword:1\r\n\r\n\"x\"=1\r\n\"Nope\"=dword:1\r\n",
         ImportRefusal::Malformed, 6},
    };
    for (const RefusedFile& c : cases) {
        MemoryRegistry registry;
        const SettingsImport result =
            Import(std::string(kHeader) + std::string(kXvid) + c.body, registry);
        EXPECT_EQ(result.refusal, c.refusal) << c.what;
        EXPECT_EQ(result.line, c.line) << c.what;
        EXPECT_TRUE(Take(registry).empty()) << c.what;
        EXPECT_NE(ImportMessage(result).find(std::to_string(c.line) + "번째 줄"), std::string::npos)
            << c.what;
    }

    MemoryRegistry registry;
    EXPECT_EQ(Import("REGEDIT4\r\n\r\n" + std::string(kXvid), registry).refusal,
              ImportRefusal::NotRegFile);
    const std::vector<unsigned char> utf8(kHeader.begin(), kHeader.end());
    EXPECT_EQ(ImportSettings(utf8, utf8.size(), registry).refusal, ImportRefusal::NotRegFile);
    const std::vector<unsigned char> file = Utf16File(std::string(kHeader) + std::string(kXvid));
    EXPECT_EQ(ImportSettings(file, kMaxSettingsFileBytes + 1, registry).refusal,
              ImportRefusal::TooLarge);
    EXPECT_TRUE(Take(registry).empty());
}

TEST(SettingsTransfer, RegeditsOtherSpellingsAreTakenUnderThePagesOwnNames)
{
    MemoryRegistry registry;
    const SettingsImport result = Import(
        "Windows Registry Editor Version 5.00\n; a comment\n"
        "[hkey_current_user\\software\\gnu\\xvid]\n"
        "\"DEBLOCK_Y\" = DWORD:0000002a\n"
        "\"Supported_4CC\"=hex(4):07,\\\n   00,00,\\\n  00\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\DivXNetworks\\DivX4Windows]\n\"AspectRatio_Y\"=dword:9\n",
        registry);
    ASSERT_EQ(result.refusal, ImportRefusal::None) << result.line;
    const Snapshot stored = Take(registry);
    const std::vector<unsigned char> seven = {7, 0, 0, 0};
    EXPECT_EQ(stored.at({RegRoot::CurrentUser, "Software\\GNU\\XviD", "Deblock_Y"}).second,
              (std::vector<unsigned char>{42, 0, 0, 0}));
    EXPECT_EQ(stored.at({RegRoot::CurrentUser, "Software\\GNU\\XviD", "Supported_4CC"}).second, seven);
    EXPECT_EQ(stored.size(), 3u);
}

TEST(SettingsTransfer, ValuesTheRegistryRefusesAreNamedAndTheRestStaysWritten)
{
    MemoryRegistry registry;
    registry.RefuseWrites(RegRoot::LocalMachine);
    const SettingsImport result = Import(std::string(kHeader) + std::string(kXvid) +
                                             "\"FlipVideo\"=dword:1\r\n"
                                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KVX\\DivXG400]\r\n"
                                             "\"bOverscan\"=dword:1\r\n",
                                         registry);
    EXPECT_EQ(result.refusal, ImportRefusal::None);
    EXPECT_EQ(result.written, 1u);
    EXPECT_EQ(Take(registry).size(), 1u);
    ASSERT_EQ(result.refusedWrites, std::vector<std::string>{"SOFTWARE\\KVX\\DivXG400\\bOverscan"});
    EXPECT_NE(ImportMessage(result).find("bOverscan"), std::string::npos);
}

}  // namespace
}  // namespace zelora
