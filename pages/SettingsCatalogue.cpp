#include "pages/SettingsCatalogue.h"

#include "pages/PageTable.h"
#include "pages/RowKinds.h"

#include <algorithm>

namespace zelora {
namespace {

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameAddress(const RegValue& a, RegRoot root, std::string_view key, std::string_view name)
{
    return a.root == root && SameRegistryName(a.key, key) && SameRegistryName(a.name, name);
}

std::vector<SettingValue> Collect()
{
    std::vector<SettingValue> values;
    auto add = [&](const RegValue& at, RegType type, const ValueRow& row, bool second) {
        const bool listed = std::ranges::any_of(values, [&](const SettingValue& v) {
            return SameAddress(v.at, at.root, at.key, at.name);
        });
        if (!listed) values.push_back({at, type, &row, second});
    };
    for (const PageRow& page : kPages) {
        if (page.decoder == nullptr) continue;
        for (const ValueRow& row : page.decoder->values) {
            add(row.value, row.kind->RegistryType(), row, false);
            if (!row.secondName.empty())
                add({row.value.root, row.value.key, row.secondName}, RegType::Dword, row, true);
        }
    }
    return values;
}

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return Fold(x) == Fold(y); });
}

const std::vector<SettingValue>& SettingValues()
{
    static const std::vector<SettingValue> values = Collect();
    return values;
}

const SettingValue* FindSettingValue(RegRoot root, std::string_view key, std::string_view name)
{
    for (const SettingValue& value : SettingValues())
        if (SameAddress(value.at, root, key, name)) return &value;
    return nullptr;
}

bool IsSettingsKey(RegRoot root, std::string_view key)
{
    return std::ranges::any_of(SettingValues(), [&](const SettingValue& value) {
        return value.at.root == root && SameRegistryName(value.at.key, key);
    });
}

bool IsAboveSettingsKey(RegRoot root, std::string_view key)
{
    return std::ranges::any_of(SettingValues(), [&](const SettingValue& value) {
        const std::string_view below = value.at.key;
        if (value.at.root != root) return false;
        if (key.empty()) return true;
        return below.size() > key.size() && below[key.size()] == '\\' &&
               SameRegistryName(below.substr(0, key.size()), key);
    });
}

}  // namespace zelora
