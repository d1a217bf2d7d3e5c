// Exporting every decoder setting and importing it back over the memory registry: a round
// trip restores exactly what was stored, and a file holding anything an export cannot hold
// is refused whole, at its first bad line, with nothing written.
#include "pages/SettingsCatalogue.h"
#include "pages/SettingsTransfer.h"
#include "pages/LevelConversions.h"
#include "pages/RowKinds.h"
#include "pages/PageModel.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"
#include "pages/video/VideoDivxValues.h"
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

struct Hostile {
    std::vector<unsigned char> data;
    ImportRefusal refusal = ImportRefusal::OutOfRange;
};

// What a value's page writes and what it never writes, worked out from its row.
struct Samples {
    std::vector<std::vector<unsigned char>> writable;
    std::vector<Hostile> hostile;
};

Samples SamplesOf(const SettingValue& setting)
{
    const ValueRow& row = *setting.row;
    const RowKind* kind = row.kind;
    std::vector<std::int32_t> good, bad;
    Samples samples;
    if (setting.second || kind == &kComboKind || kind == &kRadioKind || kind == &kChoicePairKind) {
        for (const ChoiceItem& item : row.choice->items)
            good.push_back(setting.second ? item.secondValue : item.value);
        bad = {*std::ranges::max_element(good) + 1, *std::ranges::min_element(good) - 1};
    } else if (kind == &kCheckKind) {
        good = {0, 1};
        bad = {2, -1};
    } else if (kind == &kFlagCheckKind) {
        good = {0, row.onValue};
        bad = {row.onValue + 1, -1};
    } else if (kind == &kMaskKind) {
        std::uint32_t all = 0;
        for (const MaskBox& box : row.mask->boxes) {
            good.push_back(box.part);
            all |= static_cast<std::uint32_t>(box.part | box.ReadPart());
        }
        good.push_back(static_cast<std::int32_t>(all));
        bad = {static_cast<std::int32_t>(~all & (all + 1)), static_cast<std::int32_t>(~all)};
    } else if (kind == &kFormatPairKind) {
        const FormatPair& pair = static_cast<const FormatPairControls&>(*row.extra).pair;
        good = {0, 1, pair.decoded, pair.passedThrough};
        bad = {std::max(pair.decoded, pair.passedThrough) + 1, -1};
    } else if (kind == &kNumberTextKind || kind == &kNumberKind) {
        good = {row.range.min, row.range.max};
        bad = {row.range.min - 1, row.range.max + 1};
    } else if (kind == &kGainTextKind) {
        for (std::int32_t decibels : {row.range.min, 0, row.range.max})
            samples.writable.push_back(Text16(Utf8ToUtf16(Ac3GainText(decibels))));
        char beyond[32];
        std::snprintf(beyond, sizeof beyond, "%.6f", std::pow(10.0, (row.range.max + 1) / 20.0));
        for (std::string_view text : {std::string_view(beyond), std::string_view("not a number; rm -rf"),
                                      "0.000000"sv, "1.0"sv, "+1.000000"sv, "01.000000"sv, "1.000000 "sv})
            samples.hostile.push_back({Text16(Utf8ToUtf16(text))});
        std::vector<unsigned char> unterminated = Text16(u"1.000000");
        unterminated.resize(unterminated.size() - 2);
        samples.hostile.push_back({unterminated, ImportRefusal::BadText});
        samples.hostile.push_back({Text16(u"1.000000"s + u'\0' + u"x"), ImportRefusal::BadText});
    } else {
        ADD_FAILURE() << "no samples for " << setting.at.name;
    }
    for (std::int32_t number : good) samples.writable.push_back(Dword(number));
    for (std::int32_t number : bad) samples.hostile.push_back({Dword(number)});
    return samples;
}

std::vector<unsigned char> FileWith(const SettingValue& setting, const std::vector<unsigned char>& data)
{
    const RegFileValue value{setting.at.root, std::string(setting.at.key), std::string(setting.at.name),
                             setting.type, data};
    return WriteRegFile({&value, 1});
}

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kXvid = "[HKEY_CURRENT_USER\\Software\\GNU\\XviD]\r\n";

TEST(SettingsTransfer, ExportThenChangesThenImportRestoresEveryValue)
{
    MemoryRegistry registry;
    std::size_t i = 0;
    for (const SettingValue& setting : SettingValues()) {
        const Samples samples = SamplesOf(setting);
        Set(registry, setting, samples.writable[i++ % samples.writable.size()]);
    }
    const Snapshot before = Take(registry);
    const SettingsExport exported = ExportSettings(registry);
    EXPECT_EQ(exported.values, SettingValues().size());
    EXPECT_TRUE(exported.leftOut.empty());

    int changed = 0;
    for (const SettingValue& setting : SettingValues())
        if (changed < 5 && (++changed, true)) Set(registry, setting, Text16(u"0.5"));
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
}

TEST(SettingsTransfer, TextsTakeTheQuotedFormWithItsEscapesOrTheHexFormWithContinuations)
{
    const std::u16string texts[] = {u"a\\b\"c 한글", u"line\r\nbreak " + std::u16string(60, u'x')};
    std::vector<RegFileValue> values;
    for (const std::u16string& text : texts)
        values.push_back({RegRoot::CurrentUser, "Software\\Test", "t", RegType::String, Text16(text)});
    const std::vector<unsigned char> file = WriteRegFile(values);
    const std::string text = Utf16ToUtf8(std::u16string(
        reinterpret_cast<const char16_t*>(file.data() + 2), (file.size() - 2) / 2));
    EXPECT_NE(text.find("\"a\\\\b\\\"c 한글\""), std::string::npos);
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos);
    const RegFileContents read = ReadRegFile(file);
    ASSERT_EQ(read.problem, RegFileProblem::None);
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.entries[1].value.data, values[0].data);
    EXPECT_EQ(read.entries[2].value.data, values[1].data);
}

TEST(SettingsTransfer, EachValueTakesExactlyWhatItsPageCanWrite)
{
    for (const SettingValue& setting : SettingValues()) {
        const std::string what = std::string(setting.at.key) + "\\" + std::string(setting.at.name);
        const Samples samples = SamplesOf(setting);
        for (const auto& data : samples.writable) {
            MemoryRegistry registry;
            const std::vector<unsigned char> file = FileWith(setting, data);
            const SettingsImport result = ImportSettings(file, file.size(), registry);
            EXPECT_EQ(result.refusal, ImportRefusal::None) << what << ": " << ImportMessage(result);
            EXPECT_EQ(result.written, 1u) << what;
        }
        for (const Hostile& hostile : samples.hostile) {
            MemoryRegistry registry;
            const std::vector<unsigned char> file = FileWith(setting, hostile.data);
            const SettingsImport result = ImportSettings(file, file.size(), registry);
            EXPECT_EQ(result.refusal, hostile.refusal) << what;
            EXPECT_EQ(result.line, 4) << what;
            EXPECT_EQ(result.name, setting.at.name) << what;
            EXPECT_TRUE(Take(registry).empty()) << what;
            if (hostile.refusal == ImportRefusal::OutOfRange) {
                EXPECT_NE(ImportMessage(result).find("쓸 수 있는 값: " + result.accepted),
                          std::string::npos) << what;
            }
            // Nor does an export carry it.
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

// Every control of every page moved through its states, typed into with numbers in and out
// of range: whatever the pages write, an export carries and an import takes back.
TEST(SettingsTransfer, WhateverThePagesWriteIsExportedWhole)
{
    constexpr std::string_view kTyped[] = {"-99999", "99999", "", "-", "7", "3000"};
    for (const SettingsPageTable& table : SettingsPageTables()) {
        MemoryRegistry registry;
        RegistryStore store(registry);
        pagetest::FakePageControls controls;
        PageModel model(store, controls);
        controls.onEditChange = [&](int id) { model.OnControlChanged(table.values, id); };
        auto exportsWhole = [&](const std::string& after) {
            const SettingsExport exported = ExportSettings(registry);
            EXPECT_TRUE(exported.leftOut.empty()) << table.name << " after " << after << ": "
                                                  << ExportMessage(exported);
        };
        model.Load(table.values);
        exportsWhole("the first load");
        model.ResetDefaults(table.values);
        exportsWhole("a reset");
        constexpr int kIds = 2000;  // beyond every page's control ids
        for (int id = 1; id < kIds; ++id) {
            if (!PageModel::FindRow(table.values, id)) continue;
            for (int state : {1, 0}) {
                controls.SetCheck(id, state);
                model.OnControlChanged(table.values, id);
            }
            for (int index = 0; index < 20; ++index) {
                controls.SetComboIndex(id, index);
                model.OnControlChanged(table.values, id);
            }
            for (std::string_view text : kTyped) controls.Type(id, std::string(text));
            exportsWhole("control " + std::to_string(id));
        }
    }
}

// The sliders store levels over their whole travel; every one of them imports.
TEST(SettingsTransfer, EveryLevelASliderStoresIsOneItsRowTakes)
{
    struct SliderTable {
        std::span<const SliderRow> sliders;
        std::span<const ValueRow> values;
        std::span<const NumberKey> levelKeys;  // empty: a level's row is its first edit's
    };
    const SliderTable tables[] = {
        {video_divx::kSliders, video_divx::kValues, video_divx::kLevelKeys},
        {sound_ffdshow::kSliders, sound_ffdshow::kValues, {}},
        {sound_ac3::kSliders, sound_ac3::kValues, {}},
    };
    for (const SliderTable& table : tables) {
        for (const SliderRow& slider : table.sliders) {
            const auto first = std::ranges::find_if(
                table.sliders, [&](const SliderRow& other) { return other.level == slider.level; });
            const auto shows = [&](const ValueRow& row) {
                return table.levelKeys.empty()
                           ? row.controlId == first->editId
                           : row.numberKey == table.levelKeys[static_cast<std::size_t>(slider.level)];
            };
            const auto row = std::ranges::find_if(table.values, shows);
            ASSERT_NE(row, table.values.end());
            for (int position = 0; position <= slider.geometry.Travel(); ++position) {
                const std::int32_t level = StepTo(*slider.scale, position).level;
                EXPECT_TRUE(row->kind->CanWrite(*row, level)) << row->value.name << " " << level;
            }
        }
    }
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
        "[HKEY_CURRENT_USER\\SOFTWARE\\DivXNetworks\\DivX4Windows]\n\"AspectRatio_Y\"=dword:9\n",
        registry);
    ASSERT_EQ(result.refusal, ImportRefusal::None) << result.line;
    const Snapshot stored = Take(registry);
    const std::vector<unsigned char> seven = {7, 0, 0, 0};
    EXPECT_EQ(stored.at({RegRoot::CurrentUser, "Software\\GNU\\XviD", "Deblock_Y"}).second,
              (std::vector<unsigned char>{1, 0, 0, 0}));
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
