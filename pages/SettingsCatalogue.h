#pragma once
// Every registry value the decoder pages edit, read from their tables through the page
// table: what a settings file may hold. A row's second value (an aspect ratio's Y, a speaker
// relation) is a value of its own; a value two pages share is listed once.

#include "pages/ValueRow.h"

#include <string_view>
#include <vector>

namespace zelora {

struct SettingValue {
    RegValue at;
    RegType type = RegType::Dword;
    // The row that writes it, whose kind says what it may hold; `second` for the row's
    // second value.
    const ValueRow* row = nullptr;
    bool second = false;
};

// In the page table's order, then each page's; the first spelling of a shared value is kept.
const std::vector<SettingValue>& SettingValues();

// The listed value at `root`, `key`, `name` (compared as the registry compares them,
// without regard to case), or null.
const SettingValue* FindSettingValue(RegRoot root, std::string_view key, std::string_view name);
// Whether any listed value lives under `key`.
bool IsSettingsKey(RegRoot root, std::string_view key);
// Whether `key` (the root itself when empty) holds a key some listed value lives under.
bool IsAboveSettingsKey(RegRoot root, std::string_view key);

// The registry's own name comparison: ASCII letters without regard to case.
bool SameRegistryName(std::string_view a, std::string_view b);

}  // namespace zelora
