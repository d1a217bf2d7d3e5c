// Settings files over a registry holding decoder values of every type and size: an export
// changes nothing and imports back unchanged; a mutated or random file is either refused
// with nothing written, or writes only decoder values it names validly, each exactly as the
// file gives it. Any regedit file the writer makes reads back value for value.
#include "fuzz/FuzzRegistry.h"

#include "pages/SettingsCatalogue.h"
#include "pages/SettingsTransfer.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/RegFile.h"
#include "platform/text/Text.h"

namespace zelora::fuzz {
namespace {

constexpr std::string_view kTokens[] = {
    "\r\n", "\n", "\r", "[", "]", "[-", "=-", "=", "\"", "\\", "\\\r\n  ", "@=", ",", "dword:",
    "dword:ffffffff", "hex:", "hex(1):", "hex(4):", "hex(7):00,00", "hex(b):", ";", " ", "\t",
    "00,", "ff", "HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\SOFTWARE\\KVX\\DivXG400",
    "Software\\GNU\\XviD", "\"Deblock_Y\"", "\"master\"=\"1.0\"", "한글", "\"relation\"=dword:2",
    "Windows Registry Editor Version 5.00",
};

// Whole lines, valid and not, of the kinds a hand-edited or hostile file holds.
constexpr std::string_view kLines[] = {
    "\"FlipVideo\"=\"1\"", "\"Deblock_Y\"=hex:01,00,00,00", "\"Deblock_Y\"=dword:00000003",
    "\"Brightness\"=hex(4):01,00", "\"Brightness\"=hex(4):01,00,00,\\\r\n  80",
    "\"master\"=dword:00000001", "\"master\"=\"2.5\"", "\"gain_output_L\"=hex(1):31,00,00,00",
    "\"gain_output_L\"=hex(1):31,00,00", "\"relation\"=dword:2", "\"AspectRatio_Y\"=dword:9",
    "\"Unknown\"=dword:1", "@=\"x\"", "\"Deblock_Y\"=-", "\"bOverscan\"=dword:1",
    "[HKEY_CURRENT_USER\\Software\\GNU\\XviD]", "[HKEY_CURRENT_USER\\Software\\AC3Filter\\preset\\Default]",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KVX\\DivXG400]", "[-HKEY_CURRENT_USER\\Software\\GNU\\XviD]",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]",
    "[HKEY_CURRENT_USER\\SOFTWARE\\DivXNetworks\\DivX4Windows]", "; comment", "",
    "\"Deblock_Y\"=dword:ffffffff", "\"Supported_4CC\"=dword:7fffffff",
    "\"master\"=\"not a number; rm -rf\"", "\"master\"=hex(1):31,00,2e,00,30,00",
    "[HKEY_CURRENT_USER]", "[HKEY_CURRENT_USER\\Software\\GNU]", "[HKEY_CURRENT_USER\\Software\\GNU\\XviD\\]",
};

std::u16string Tokens(Random& random, std::size_t count)
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i) text += Utf8ToUtf16(random.Pick(kTokens));
    return text;
}

std::u16string TextOf(const std::vector<unsigned char>& file)
{
    std::u16string text;
    for (std::size_t i = 2; i + 1 < file.size(); i += 2)
        text += static_cast<char16_t>(file[i] | file[i + 1] << 8);
    return text;
}

std::vector<unsigned char> FileOf(std::u16string_view text)
{
    std::vector<unsigned char> file = {0xFF, 0xFE};
    for (char16_t unit : text) {
        file.push_back(static_cast<unsigned char>(unit & 0xFF));
        file.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return file;
}

std::vector<unsigned char> Mutated(Random& random, const std::vector<unsigned char>& exported)
{
    if (random.Chance(5)) return random.Bytes(static_cast<std::size_t>(random.Below(300)));
    std::u16string text = TextOf(exported);
    const std::size_t edits = 1 + static_cast<std::size_t>(random.Below(3));
    for (std::size_t e = 0; e < edits; ++e) {
        std::size_t at = static_cast<std::size_t>(random.Below(text.size() + 1));
        if (random.Chance(60)) {  // a whole line at a line start
            const std::size_t end = text.find(u'\n', at);
            at = end == std::u16string::npos ? text.size() : end + 1;
            text.insert(at, Utf8ToUtf16(random.Pick(kLines)) + u"\r\n");
            continue;
        }
        switch (random.Below(5)) {
        case 0: text.insert(at, Tokens(random, 1 + random.Below(4))); break;
        case 1: text.erase(at, static_cast<std::size_t>(random.Below(40))); break;
        case 2:
            if (at < text.size()) text[at] = static_cast<char16_t>(random.Below(0x10000));
            break;
        case 3: {  // a line repeated elsewhere
            const std::size_t from = text.rfind(u'\n', at);
            const std::size_t start = from == std::u16string::npos ? 0 : from + 1;
            const std::u16string line = text.substr(start, text.find(u'\n', start) - start + 1);
            text.insert(static_cast<std::size_t>(random.Below(text.size() + 1)), line);
            break;
        }
        default: text.insert(at, u"\r\n" + Tokens(random, 2 + random.Below(6))); break;
        }
    }
    std::vector<unsigned char> file = FileOf(text);
    if (random.Chance(3)) file.erase(file.begin());  // no byte-order mark, odd size
    return file;
}

void Plant(Random& random, MemoryRegistry& registry)
{
    const std::vector<SettingValue>& settings = SettingValues();
    const std::size_t count = static_cast<std::size_t>(random.Below(settings.size() + 1));
    for (std::size_t i = 0; i < count; ++i) {
        const SettingValue& setting = settings[static_cast<std::size_t>(random.Below(settings.size()))];
        StoredValue value = RandomValue(random);
        if (random.Chance(60)) {  // mostly in the page's own form
            value = setting.type == RegType::Dword
                        ? DwordValue(random.Chance(70) ? static_cast<std::int32_t>(random.Below(3))
                                                       : static_cast<std::int32_t>(random.Next()))
                        : StringValue(Utf8ToUtf16(random.Chance(50) ? "1.778279" : "\"\\한 \r\n"));
        }
        registry.SetValue(setting.at.root, CaseVariant(random, setting.at.key),
                          CaseVariant(random, setting.at.name), value.type, value.data.data(),
                          static_cast<std::uint32_t>(value.data.size()));
    }
}

// The value a file validly names last at each address, as the import would write it.
std::map<ValueAddress, StoredValue> NamedIn(const std::vector<unsigned char>& file)
{
    std::map<ValueAddress, StoredValue> named;
    for (const RegFileEntry& entry : ReadRegFile(file).entries) {
        if (entry.isKey) continue;
        const RegFileValue& v = entry.value;
        if (FindSettingValue(v.root, v.key, v.name))
            named[AddressOf(v.root, v.key, v.name)] = {v.type, v.data};
    }
    return named;
}

// A page's key or one of its parents (which writing the key creates).
bool OnPathToSettings(RegRoot root, const std::string& folded)
{
    for (const SettingValue& setting : SettingValues()) {
        const std::string key = FoldedKey(setting.at.key);
        if (setting.at.root == root &&
            (key == folded || key.rfind(folded + "\\", 0) == 0))
            return true;
    }
    return false;
}

void CheckImport(MemoryRegistry& registry, const std::vector<unsigned char>& file)
{
    const RegistrySnapshot before = TakeSnapshot(registry);
    const SettingsImport result = ImportSettings(file, file.size(), registry);
    const RegistrySnapshot after = TakeSnapshot(registry);
    const std::set<ValueAddress> changed = ChangedValues(before, after);
    if (result.refusal != ImportRefusal::None) {
        Require(changed.empty() && AddedKeys(before, after).empty(), "a refused file wrote");
        Require(result.refusal == ImportRefusal::TooLarge || result.line > 0,
                "a refusal names no line");
        return;
    }
    // Taken: the whole file reads, every key is a page's (or an empty one above them), every
    // value a page's in its form.
    const RegFileContents contents = ReadRegFile(file);
    Require(contents.problem == RegFileProblem::None,
            "took a file with a bad line " + std::to_string(contents.problemLine));
    std::set<ValueAddress> seen;
    for (const RegFileEntry& entry : contents.entries) {
        const RegFileValue& v = entry.value;
        Require(IsSettingsKey(v.root, v.key) || (entry.isKey && IsAboveSettingsKey(v.root, v.key)),
                "took another key: " + v.key);
        if (entry.isKey) continue;
        const SettingValue* setting = FindSettingValue(v.root, v.key, v.name);
        Require(setting != nullptr, "took an unknown value: " + v.name);
        const bool fits = v.type == setting->type &&
                          (v.type == RegType::Dword ? v.data.size() == 4
                                                    : v.data.size() % 2 == 0 && v.data.size() <= 2048);
        Require(fits, "took a value of another form: " + v.name);
        Require(seen.insert(AddressOf(v.root, v.key, v.name)).second, "took a value twice: " + v.name);
    }
    const std::map<ValueAddress, StoredValue> named = NamedIn(file);
    for (const ValueAddress& address : changed) {
        const auto it = named.find(address);
        Require(it != named.end(), "wrote a value the file does not name: " + Describe(address));
        const auto stored = after.values.find(address);
        Require(stored != after.values.end() && stored->second == it->second,
                "wrote other content than the file's: " + Describe(address));
    }
    for (const auto& key : AddedKeys(before, after))
        Require(OnPathToSettings(key.first, key.second), "made a key no page uses: " + key.second);
    Require(result.written + result.refusedWrites.size() == named.size(),
            "values written and refused do not add up to the file's");
}

void FuzzWriterRoundTrip(Random& random)
{
    constexpr std::string_view kPieces[] = {"a", "Z", "9", " ", "\"", "\\", "한", "/", "=", "@"};
    constexpr RegType kTypes[] = {RegType::None,  RegType::String, RegType::ExpandString,
                                  RegType::Binary, RegType::Dword, RegType::MultiString,
                                  RegType::Qword};
    std::vector<RegFileValue> values;
    const std::size_t count = static_cast<std::size_t>(random.Below(6));
    for (std::size_t i = 0; i < count; ++i) {
        RegFileValue v;
        v.root = random.Chance(50) ? RegRoot::CurrentUser : RegRoot::LocalMachine;
        v.key = "Software\\" + std::string(random.Pick(kPieces)).append("k");
        for (std::size_t n = random.Below(5); n > 0; --n) v.name += random.Pick(kPieces);
        v.type = random.Chance(10) ? static_cast<RegType>(random.Next() & 0xFFFFFFFF)
                                   : random.Pick(kTypes);
        v.data = random.Chance(30) ? StringValue(Utf8ToUtf16(v.name)).data
                                   : random.Bytes(static_cast<std::size_t>(random.Below(120)));
        values.push_back(std::move(v));
    }
    const RegFileContents read = ReadRegFile(WriteRegFile(values));
    Require(read.problem == RegFileProblem::None,
            "the writer's file does not read: line " + std::to_string(read.problemLine));
    std::size_t next = 0;
    for (const RegFileEntry& entry : read.entries) {
        if (entry.isKey) continue;
        Require(next < values.size(), "read more values than written");
        const RegFileValue& v = values[next++];
        const RegFileValue& r = entry.value;
        Require(r.root == v.root && r.key == v.key && r.name == v.name && r.type == v.type &&
                    r.data == v.data,
                "value " + std::to_string(next) + " reads back changed");
    }
    Require(next == values.size(), "read fewer values than written");
}

void OneInput(Random& random)
{
    MemoryRegistry registry;
    Plant(random, registry);
    if (random.Chance(20)) registry.RefuseWrites(RegRoot::LocalMachine);

    const RegistrySnapshot start = TakeSnapshot(registry);
    const SettingsExport exported = ExportSettings(registry);
    const RegistrySnapshot afterExport = TakeSnapshot(registry);
    Require(ChangedValues(start, afterExport).empty() && AddedKeys(start, afterExport).empty(),
            "the export changed the registry");
    const SettingsImport back = ImportSettings(exported.file, exported.file.size(), registry);
    Require(back.refusal == ImportRefusal::None, "an export does not import: line " +
                                                     std::to_string(back.line));
    Require(ChangedValues(start, TakeSnapshot(registry)).empty(),
            "an export imported over its own registry changed it");

    CheckImport(registry, Mutated(random, exported.file));
    FuzzWriterRoundTrip(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "settings_import", zelora::fuzz::OneInput);
}
