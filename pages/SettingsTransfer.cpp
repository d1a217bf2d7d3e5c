#include "pages/SettingsTransfer.h"

#include "pages/RowKinds.h"
#include "pages/SettingsCatalogue.h"
#include "platform/registry/RegFile.h"
#include "platform/registry/RegistryStore.h"
#include "platform/text/Text.h"

#include <optional>
#include <set>
#include <utility>

namespace zelora {
namespace {

// The longest text the pages read back (RegistryStore's string read).
constexpr std::size_t kLongestString = RegistryStore::kStringBufferBytes * 2;

// Whether `data` of `type` is what the page of `setting` can write: the export writes only
// such values and the import takes only them, so every export imports.
ImportRefusal FitOf(const SettingValue& setting, RegType type, std::span<const unsigned char> data)
{
    const ValueRow& row = *setting.row;
    if (type != setting.type) return ImportRefusal::WrongType;
    if (type == RegType::Dword) {
        if (data.size() != 4) return ImportRefusal::WrongType;
        const auto number = static_cast<std::int32_t>(
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
        const bool writable = setting.second ? row.kind->CanWriteSecond(row, number)
                                             : row.kind->CanWrite(row, number);
        return writable ? ImportRefusal::None : ImportRefusal::OutOfRange;
    }
    if (data.size() < 2 || data.size() % 2 != 0 || data.size() > kLongestString)
        return ImportRefusal::WrongType;
    // The pages write a text and one NUL after it.
    std::u16string units;
    for (std::size_t i = 0; i < data.size(); i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (units.back() != 0) return ImportRefusal::BadText;
    units.pop_back();
    if (units.find(u'\0') != std::u16string::npos) return ImportRefusal::BadText;
    return row.kind->CanWriteText(row, Utf16ToUtf8(units)) ? ImportRefusal::None
                                                          : ImportRefusal::OutOfRange;
}

std::string AcceptedText(const SettingValue& setting)
{
    const ValueRow& row = *setting.row;
    return setting.second ? row.kind->SecondWritableText(row) : row.kind->WritableText(row);
}

std::string KeyName(RegRoot root, std::string_view key)
{
    std::string name(RegRootName(root));
    if (!key.empty()) name.append("\\").append(key);
    return name;
}

std::string Describe(const RegValue& at) { return std::string(at.key) + "\\" + std::string(at.name); }

std::optional<RawValue> ReadExisting(RegistryBackend& registry, const RegValue& at)
{
    std::vector<unsigned char> buffer(64);
    for (;;) {
        auto size = static_cast<std::uint32_t>(buffer.size());
        RegType type = RegType::None;
        const RegStatus status = registry.QueryValue(at.root, at.key, KeyOpen::ExistingOnly,
                                                     at.name, buffer.data(), size, &type);
        if (status == RegStatus::MoreData && size > buffer.size()) {
            buffer.resize(size);
            continue;
        }
        if (status != RegStatus::Ok) return std::nullopt;
        buffer.resize(size);
        return RawValue{RegStatus::Ok, type, std::move(buffer)};
    }
}

ImportRefusal RefusalOf(RegFileProblem problem)
{
    switch (problem) {
    case RegFileProblem::None: return ImportRefusal::None;
    case RegFileProblem::NotRegFile: return ImportRefusal::NotRegFile;
    case RegFileProblem::Malformed: return ImportRefusal::Malformed;
    case RegFileProblem::BrokenLine: return ImportRefusal::BrokenLine;
    case RegFileProblem::Deletion: return ImportRefusal::Deletion;
    case RegFileProblem::OtherRoot: return ImportRefusal::OtherKey;
    }
    return ImportRefusal::Malformed;
}

// The first entry the import cannot take, with the listed value of each other one.
ImportRefusal Check(const RegFileEntry& entry, std::set<const SettingValue*>& seen,
                    const SettingValue*& setting)
{
    const RegFileValue& value = entry.value;
    const bool settingsKey = IsSettingsKey(value.root, value.key);
    // A key above the decoders' is what regedit writes first when a parent is exported:
    // taken while it holds nothing.
    if (entry.isKey)
        return settingsKey || IsAboveSettingsKey(value.root, value.key) ? ImportRefusal::None
                                                                         : ImportRefusal::OtherKey;
    if (!settingsKey) return ImportRefusal::OtherKey;
    setting = FindSettingValue(value.root, value.key, value.name);
    if (!setting) return ImportRefusal::UnknownValue;
    if (const ImportRefusal fit = FitOf(*setting, value.type, value.data); fit != ImportRefusal::None)
        return fit;
    if (!seen.insert(setting).second) return ImportRefusal::Repeated;
    return ImportRefusal::None;
}

std::string_view ReasonText(ImportRefusal refusal)
{
    switch (refusal) {
    case ImportRefusal::None:
    case ImportRefusal::TooLarge: break;
    case ImportRefusal::NotRegFile: return "Zelora에서 내보낸 설정 파일(유니코드 레지스트리 파일)이 아닙니다";
    case ImportRefusal::Malformed: return "레지스트리 파일의 형식에 맞지 않는 줄입니다";
    case ImportRefusal::BrokenLine: return "줄 안에 NUL 문자나 줄바꿈이 아닌 CR 문자가 있습니다";
    case ImportRefusal::Deletion: return "값이나 키를 지우는 줄은 받지 않습니다";
    case ImportRefusal::OtherKey: return "디코더 설정이 아닌 키입니다";
    case ImportRefusal::UnknownValue: return "이 키에 없는 설정 값입니다";
    case ImportRefusal::WrongType: return "값의 형식이나 길이가 이 설정과 다릅니다";
    case ImportRefusal::BadText: return "문자열이 NUL 문자 하나로 끝나지 않거나 중간에 NUL 문자가 있습니다";
    case ImportRefusal::OutOfRange: return "설정 페이지가 쓸 수 없는 값입니다";
    case ImportRefusal::Repeated: return "같은 값이 두 번 나옵니다";
    }
    return {};
}

// A name from the file as a message line can show it: control characters as "?", and at
// most about a line's length.
std::string Shown(std::string_view name)
{
    constexpr std::size_t kLongest = 96;
    std::string shown;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (shown.size() >= kLongest && (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80)
            return shown + "…";
        const auto c = static_cast<unsigned char>(name[i]);
        shown += c < 0x20 || c == 0x7F ? '?' : name[i];
    }
    return shown;
}

// Names listed one per line, the rest counted.
void AppendNames(std::string& out, const std::vector<std::string>& names)
{
    constexpr std::size_t kListed = 8;
    for (std::size_t i = 0; i < names.size() && i < kListed; ++i) out += "\n  " + names[i];
    if (names.size() > kListed) out += "\n  외 " + std::to_string(names.size() - kListed) + "개";
}

}  // namespace

SettingsExport ExportSettings(RegistryBackend& registry)
{
    SettingsExport result;
    std::vector<RegFileValue> values;
    for (const SettingValue& setting : SettingValues()) {
        std::optional<RawValue> stored = ReadExisting(registry, setting.at);
        if (!stored) continue;
        if (FitOf(setting, stored->type, stored->data) != ImportRefusal::None) {
            result.leftOut.push_back(Describe(setting.at));
            continue;
        }
        values.push_back({setting.at.root, std::string(setting.at.key),
                          std::string(setting.at.name), stored->type, std::move(stored->data)});
    }
    result.values = values.size();
    result.file = WriteRegFile(values);
    return result;
}

SettingsImport ImportSettings(std::span<const unsigned char> file, std::size_t fileSize,
                              RegistryBackend& registry)
{
    SettingsImport result;
    if (fileSize > kMaxSettingsFileBytes || file.size() > kMaxSettingsFileBytes) {
        result.refusal = ImportRefusal::TooLarge;
        return result;
    }
    const RegFileContents contents = ReadRegFile(file);
    std::set<const SettingValue*> seen;
    std::vector<std::pair<const SettingValue*, const RegFileValue*>> writes;
    for (const RegFileEntry& entry : contents.entries) {
        const SettingValue* setting = nullptr;
        const ImportRefusal refusal = Check(entry, seen, setting);
        if (refusal != ImportRefusal::None) {
            result.refusal = refusal;
            result.line = entry.line;
            result.key = KeyName(entry.value.root, entry.value.key);
            result.hasName = !entry.isKey;
            result.name = entry.value.name;
            if (refusal == ImportRefusal::OutOfRange) result.accepted = AcceptedText(*setting);
            return result;
        }
        if (setting) writes.emplace_back(setting, &entry.value);
    }
    if (contents.problem != RegFileProblem::None) {
        result.refusal = RefusalOf(contents.problem);
        result.line = contents.problemLine;
        result.key = contents.problemKey;
        result.hasName = contents.problemHasName;
        result.name = contents.problemName;
        return result;
    }
    // Written under the pages' own spelling of key and name.
    for (const auto& [setting, value] : writes) {
        const RegValue& at = setting->at;
        if (registry.SetValue(at.root, at.key, at.name, value->type, value->data.data(),
                              static_cast<std::uint32_t>(value->data.size())) == RegStatus::Ok)
            ++result.written;
        else
            result.refusedWrites.push_back(Describe(at));
    }
    return result;
}

std::string ExportMessage(const SettingsExport& result)
{
    std::string text = "디코더 설정 " + std::to_string(result.values) + "개를 내보냈습니다.";
    if (!result.leftOut.empty()) {
        text += "\n\n다음 값은 설정 페이지가 쓰는 형식이나 범위가 아니어서 내보내지 않았습니다:";
        AppendNames(text, result.leftOut);
    }
    return text;
}

std::string ImportMessage(const SettingsImport& result)
{
    if (result.refusal == ImportRefusal::TooLarge)
        return "설정 파일이 1 MB보다 커서 가져오지 않았습니다.\n\n설정은 하나도 바뀌지 않았습니다.";
    if (result.refusal != ImportRefusal::None) {
        std::string text = "설정 파일의 " + std::to_string(result.line) + "번째 줄을 가져올 수 없습니다.\n";
        if (!result.key.empty()) text += "키: " + Shown(result.key) + "\n";
        if (result.hasName)
            text += "값: " + (result.name.empty() ? std::string("(기본값)") : Shown(result.name)) + "\n";
        text += ReasonText(result.refusal);
        if (!result.accepted.empty()) text += " (쓸 수 있는 값: " + result.accepted + ")";
        return text + ".\n\n설정은 하나도 바뀌지 않았습니다.";
    }
    std::string text = "디코더 설정 " + std::to_string(result.written) + "개를 가져왔습니다.";
    if (!result.refusedWrites.empty()) {
        text += "\n\n다음 값은 시스템이 쓰기를 거부하여 바뀌지 않았습니다 (관리자 권한이 "
                "필요할 수 있습니다):";
        AppendNames(text, result.refusedWrites);
    }
    return text;
}

std::string DefaultSettingsFileName(int year, int month, int day)
{
    auto padded = [](int number, std::size_t width) {
        std::string digits = std::to_string(number);
        if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
        return digits;
    };
    return "Zelora-설정-" + padded(year, 4) + padded(month, 2) + padded(day, 2) + ".reg";
}

}  // namespace zelora
