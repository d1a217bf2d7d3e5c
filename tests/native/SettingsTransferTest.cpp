// Exporting every decoder setting and importing it back over the memory registry: a round
// trip restores exactly what was stored, and a file holding anything an export cannot hold
// is refused whole, at its first bad line, with nothing written.
#include "pages/PageTable.h"
#include "pages/SettingsCatalogue.h"
#include "pages/SettingsTransfer.h"
#include "pages/RowKinds.h"
#include "pages/PageModel.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/RegFile.h"
#include "platform/text/Text.h"

#include "FakePageControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace zelora {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

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

std::vector<unsigned char> Dword(std::int32_t number)
{
    std::vector<unsigned char> data;
    for (int shift = 0; shift < 32; shift += 8)
        data.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(number) >> shift));
    return data;
}

void Set(MemoryRegistry& registry, const SettingValue& setting, const std::vector<unsigned char>& data)
{
    registry.SetValue(setting.at.root, setting.at.key, setting.at.name, setting.type, data.data(),
                      static_cast<std::uint32_t>(data.size()));
}

// A regedit file's text, after its byte-order mark.
std::string TextOf(const std::vector<unsigned char>& file)
{
    return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(file.data() + 2),
                                      (file.size() - 2) / 2));
}

struct Hostile {
    std::vector<unsigned char> data;
    ImportRefusal refusal = ImportRefusal::OutOfRange;
};

// What a value's page never writes, worked out from its row: just past each end of what it
// writes, and for a gain text the texts of other forms.
std::vector<Hostile> HostileValuesOf(const SettingValue& setting)
{
    const ValueRow& row = *setting.row;
    const RowKind* kind = row.kind;
    std::vector<std::int32_t> numbers;
    if (setting.second || kind == &kComboKind || kind == &kRadioKind || kind == &kChoicePairKind) {
        const auto [low, high] = std::ranges::minmax(row.choice->items, {}, [&](const ChoiceItem& item) {
            return setting.second ? item.secondValue : item.value;
        });
        numbers = setting.second ? std::vector{low.secondValue - 1, high.secondValue + 1}
                                 : std::vector{low.value - 1, high.value + 1};
    } else if (kind == &kCheckKind || kind == &kFlagCheckKind) {
        numbers = {row.onValue + 1, -1};
    } else if (kind == &kMaskKind) {
        std::uint32_t all = 0;
        for (const MaskBox& box : row.mask->boxes) all |= static_cast<std::uint32_t>(box.part | box.ReadPart());
        numbers = {static_cast<std::int32_t>(~all & (all + 1)), static_cast<std::int32_t>(~all)};
    } else if (kind == &kFormatPairKind) {
        const FormatPair& pair = static_cast<const FormatPairControls&>(*row.extra).pair;
        numbers = {std::max(pair.decoded, pair.passedThrough) + 1, -1};
    } else if (kind == &kNumberTextKind || kind == &kNumberKind) {
        numbers = {row.range.min - 1, row.range.max + 1};
    }
    std::vector<Hostile> hostile;
    for (std::int32_t number : numbers) hostile.push_back({Dword(number)});
    if (kind == &kGainTextKind) {
        char beyond[32];
        std::snprintf(beyond, sizeof beyond, "%.6f", std::pow(10.0, (row.range.max + 1) / 20.0));
        for (std::string_view text : {std::string_view(beyond), "not a number; rm -rf"sv, "0.000000"sv,
                                      "1.0"sv, "+1.000000"sv, "01.000000"sv, "1.000000 "sv})
            hostile.push_back({Text16(Utf8ToUtf16(text))});
        std::vector<unsigned char> unterminated = Text16(u"1.000000");
        unterminated.resize(unterminated.size() - 2);
        hostile.push_back({unterminated, ImportRefusal::BadText});
        hostile.push_back({Text16(u"1.000000"s + u'\0' + u"x"), ImportRefusal::BadText});
    }
    EXPECT_FALSE(hostile.empty()) << "no hostile values for " << setting.at.name;
    return hostile;
}

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kXvid = "[HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n";

// Every control of every page moved through its states and typed into with numbers in and
// out of range: whatever the pages write, an export carries whole, and an import of it
// restores it.
TEST(SettingsTransfer, WhateverThePagesWriteExportsWholeAndImportsBack)
{
    constexpr std::string_view kTyped[] = {"-99999", "99999", "", "-", "7", "3000"};
    MemoryRegistry registry;
    RegistryStore store(registry);
    auto exportsWhole = [&](std::string_view page, int id) {
        const SettingsExport exported = ExportSettings(registry);
        EXPECT_TRUE(exported.leftOut.empty()) << page << " control " << id << ": " << ExportMessage(exported);
    };
    for (const PageRow& page : kPages) {
        if (page.decoder == nullptr) continue;
        const std::span<const ValueRow> values = page.decoder->values;
        const std::wstring_view wideName(page.name);
        const std::string name(wideName.begin(), wideName.end());  // ASCII
        pagetest::FakePageControls controls;
        PageModel model(store, controls);
        controls.onEditChange = [&](int id) { model.OnControlChanged(values, id); };
        model.ResetDefaults(values);
        exportsWhole(name, 0);
        for (int id = 1; id < 2000; ++id) {  // beyond every page's control ids
            if (!PageModel::FindRow(values, id)) continue;
            for (int index = 0; index < 20; ++index) {
                controls.SetCheck(id, index % 2);
                controls.SetComboIndex(id, index);
                model.OnControlChanged(values, id);
            }
            for (std::string_view text : kTyped) controls.Type(id, std::string(text));
            exportsWhole(name, id);
        }
    }
    const Snapshot before = Take(registry);
    const SettingsExport exported = ExportSettings(registry);
    EXPECT_EQ(exported.values, SettingValues().size());

    int changed = 0;
    for (const SettingValue& setting : SettingValues())
        if (changed < 5 && (++changed, true)) Set(registry, setting, Text16(u"0.5"));
    ASSERT_NE(Take(registry), before);

    const SettingsImport imported = ImportSettings(exported.file, exported.file.size(), registry);
    EXPECT_EQ(imported.refusal, ImportRefusal::None) << ImportMessage(imported);
    EXPECT_EQ(imported.written, SettingValues().size());
    EXPECT_EQ(Take(registry), before);

    // Regedit's own layout: a byte-order mark, the header, sections, dword lines.
    const std::string text = TextOf(exported.file);
    EXPECT_EQ(text.rfind(kHeader, 0), 0u);
    EXPECT_NE(text.find(kXvid), std::string::npos);
}

// What the round trip held before gain texts were checked: the writer's two text forms.
TEST(SettingsTransfer, TextsTakeTheQuotedFormWithItsEscapesOrTheHexFormWithContinuations)
{
    std::vector<RegFileValue> values;
    for (std::u16string text : {u"a\\b\"c 한글"s, u"line\r\nbreak " + std::u16string(60, u'x')})
        values.push_back({RegRoot::CurrentUser, "Software\\Test", "t", RegType::String, Text16(text)});
    const std::vector<unsigned char> file = WriteRegFile(values);
    const std::string text = TextOf(file);
    EXPECT_NE(text.find("\"a\\\\b\\\"c 한글\""), std::string::npos);
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos);
    const RegFileContents read = ReadRegFile(file);
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.entries[2].value.data, values[1].data);
}

// Each value's hostile forms: refused at their line, naming the value and what it takes,
// writing nothing; and an export leaves them out.
TEST(SettingsTransfer, AValueThePageCannotWriteIsNeitherImportedNorExported)
{
    for (const SettingValue& setting : SettingValues()) {
        const std::string what = std::string(setting.at.key) + "\\" + std::string(setting.at.name);
        for (const Hostile& hostile : HostileValuesOf(setting)) {
            MemoryRegistry registry;
            const RegFileValue value{setting.at.root, std::string(setting.at.key),
                                     std::string(setting.at.name), setting.type, hostile.data};
            const std::vector<unsigned char> file = WriteRegFile({&value, 1});
            const SettingsImport result = ImportSettings(file, file.size(), registry);
            EXPECT_EQ(result.refusal, hostile.refusal) << what;
            EXPECT_EQ(result.line, 4) << what;
            EXPECT_EQ(result.name, setting.at.name) << what;
            EXPECT_TRUE(Take(registry).empty()) << what;
            if (hostile.refusal == ImportRefusal::OutOfRange) {
                EXPECT_NE(ImportMessage(result).find("쓸 수 있는 값: " + result.accepted),
                          std::string::npos) << what;
            }
            Set(registry, setting, hostile.data);
            const SettingsExport exported = ExportSettings(registry);
            EXPECT_EQ(exported.values, 0u) << what;
            EXPECT_EQ(exported.leftOut, std::vector<std::string>{what});
        }
    }
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
    const char* name = nullptr;  // the value the message names, if it names one
};

TEST(SettingsTransfer, AFileWithAnythingAnExportCannotHoldWritesNothing)
{
    const RefusedFile cases[] = {
        {"Run key", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                    "\"x\"=\"c:\\\\x.exe\"\r\n", ImportRefusal::OtherKey, 4},
        {"another root", "[HKEY_USERS\\.DEFAULT\\Software\\GNU\\XviD]\r\n", ImportRefusal::OtherKey, 4},
        {"unknown value", "\"Deblock_Z\"=dword:00000001\r\n", ImportRefusal::UnknownValue, 4, "Deblock_Z"},
        {"default value", "@=\"x\"\r\n", ImportRefusal::UnknownValue, 4, ""},
        {"DWORD as text", "\"Deblock_Y\"=\"1\"\r\n", ImportRefusal::WrongType, 4, "Deblock_Y"},
        {"DWORD of three bytes", "\"Deblock_Y\"=hex(4):01,00,00\r\n", ImportRefusal::WrongType, 4, "Deblock_Y"},
        {"gain as DWORD", "[HKEY_CURRENT_USER\\Software\\AC3Filter\\preset\\Default]\r\n"
                          "\"master\"=dword:00000001\r\n", ImportRefusal::WrongType, 5, "master"},
        {"G400 under HKCU", "[HKEY_CURRENT_USER\\SOFTWARE\\KVX\\DivXG400]\r\n", ImportRefusal::OtherKey, 4},
        {"deleted value", "\"Deblock_Y\"=-\r\n", ImportRefusal::Deletion, 4, "Deblock_Y"},
        {"deleted key", "[-HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n", ImportRefusal::Deletion, 4},
        {"twice", "\"Deblock_Y\"=dword:1\r\n\"deblock_y\"=dword:1\r\n", ImportRefusal::Repeated, 5, "deblock_y"},
        {"no equals sign", "\"Deblock_Y\" dword:1\r\n", ImportRefusal::Malformed, 4, "Deblock_Y"},
        {"unknown escape", "\"Deblock\\n\"=dword:1\r\n", ImportRefusal::Malformed, 4},
        {"nine digits", "\"Deblock_Y\"=dword:000000001\r\n", ImportRefusal::Malformed, 4, "Deblock_Y"},
        {"open quote", "\"FilmEffect=dword:1\r\n", ImportRefusal::Malformed, 4},
        {"bad continuation", "\"Deblock_Y\"=hex(4):01,00,\\\r\n  00 00\r\n", ImportRefusal::Malformed, 5, "Deblock_Y"},
        {"dangling continuation", "\"Deblock_Y\"=hex(4):01,00,\\\r\n", ImportRefusal::Malformed, 4, "Deblock_Y"},
        {"stray text", "FlipVideo=1\r\n", ImportRefusal::Malformed, 4},
        {"three-digit hex byte", "\"Deblock_Y\"=hex(4):001,00,00,00\r\n", ImportRefusal::Malformed, 4, "Deblock_Y"},
        {"root with extra letters", "[HKEY_CURRENT_USERS\\Software\\GNU\\XviD]\r\n", ImportRefusal::OtherKey, 4},
        {"NUL inside a value", "\"FlipVideo\"=\"1\0\"\r\n"s, ImportRefusal::BrokenLine, 4, "FlipVideo"},
        {"NUL in a continuation", "\"FlipVideo\"=hex(4):01,\\\r\n 00,\0\r\n"s,
         ImportRefusal::BrokenLine, 5, "FlipVideo"},
        {"value in a key above", "[HKEY_CURRENT_USER\\Software\\GNU]\r\n\"x\"=dword:1\r\n", ImportRefusal::OtherKey, 5, "x"},
        {"empty key beside", "[HKEY_CURRENT_USER\\Software\\GNU\\XviD2]\r\n", ImportRefusal::OtherKey, 4},
        {"two trailing backslashes", "[HKEY_CURRENT_USER\\Software\\GNU\\XviD\\\\]\r\n", ImportRefusal::OtherKey, 4},
        {"check box of 0xffffffff", "\"Deblock_Y\"=dword:ffffffff\r\n", ImportRefusal::OutOfRange, 4, "Deblock_Y"},
        {"bits without a box", "\"Supported_4CC\"=dword:7fffffff\r\n", ImportRefusal::OutOfRange, 4, "Supported_4CC"},
        {"first bad line counts", "\"FlipVideo\"=dword:1\r\n\r\n\"x\"=1\r\n\"Nope\"=dword:1\r\n",
         ImportRefusal::Malformed, 6, "x"},
    };
    for (const RefusedFile& c : cases) {
        MemoryRegistry registry;
        const SettingsImport result =
            Import(std::string(kHeader) + std::string(kXvid) + c.body, registry);
        EXPECT_EQ(result.refusal, c.refusal) << c.what;
        EXPECT_EQ(result.line, c.line) << c.what;
        EXPECT_TRUE(Take(registry).empty()) << c.what;
        const std::string message = ImportMessage(result);
        EXPECT_NE(message.find(std::to_string(c.line) + "번째 줄"), std::string::npos) << c.what;
        // Every line after the Xvid key is about a key the message names.
        EXPECT_FALSE(result.key.empty()) << c.what;
        EXPECT_NE(message.find("키: " + result.key), std::string::npos) << c.what;
        EXPECT_EQ(result.hasName, c.name != nullptr) << c.what;
        if (c.name) {
            EXPECT_EQ(result.name, c.name) << c.what;
            EXPECT_NE(message.find(std::string("값: ") + (*c.name ? c.name : "(기본값)")),
                      std::string::npos) << c.what;
        }
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

TEST(SettingsTransfer, RegeditsOtherSpellingsAndEmptyParentKeysAreTakenUnderThePagesOwnNames)
{
    MemoryRegistry registry;
    const SettingsImport result = Import(
        "Windows Registry Editor Version 5.00\n; a comment\n"
        "[HKEY_CURRENT_USER]\n[HKEY_CURRENT_USER\\Software\\GNU]\n\n"
        "[hkey_current_user\\software\\gnu\\xvid\\]\n"
        "\"DEBLOCK_Y\" = DWORD:00000001\n"
        "\"Supported_4CC\"=hex(4):07,\\\n   00,00,\\\n  00\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\DivXNetworks\\DivX4Windows]\n\"AspectRatio_Y\"=dword:9\n"
        // PCM in the form it was once stored in (1020), which the page still reads.
        "[HKEY_CURRENT_USER\\Software\\AC3Filter\\preset\\Default]\n\"formats\"=dword:000013fc\n",
        registry);
    ASSERT_EQ(result.refusal, ImportRefusal::None) << result.line;
    const Snapshot stored = Take(registry);
    const std::vector<unsigned char> seven = {7, 0, 0, 0};
    EXPECT_EQ(stored.at({RegRoot::CurrentUser, "Software\\GNU\\XviD", "Deblock_Y"}).second,
              (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_EQ(stored.at({RegRoot::CurrentUser, "Software\\GNU\\XviD", "Supported_4CC"}).second, seven);
    EXPECT_EQ(stored.size(), 4u);
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
