#pragma once
// Test doubles for the settings pages: controls that behave as the Win32 ones do where the
// core depends on it (an edit reports a change whenever its text is set, a selection
// outside a combo box's list selects nothing), and a registry that records every write.

#include "pages/PageControls.h"
#include "platform/registry/ForwardingRegistry.h"
#include "platform/registry/MemoryRegistry.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelora::pagetest {

class FakePageControls final : public PageControls {
public:
    // What an edit does when its text is set or typed into: tell the page.
    std::function<void(int id)> onEditChange;

    void SetCheck(int id, int state) override { checks[id] = state; }
    int GetCheck(int id) const override { return Lookup(checks, id, 0); }

    void FillCombo(int id, std::span<const ChoiceItem> items) override
    {
        auto& list = comboItems[id];
        list.clear();
        for (const ChoiceItem& item : items) list.emplace_back(item.label);
        comboSelection[id] = kNoSelection;
    }
    void SetComboIndex(int id, int index) override
    {
        const auto count = static_cast<int>(comboItems[id].size());
        comboSelection[id] = index >= 0 && index < count ? index : kNoSelection;
    }
    int GetComboIndex(int id) const override { return Lookup(comboSelection, id, kNoSelection); }

    void SetRadio(int firstId, int index) override { radios[firstId] = index; }
    int GetRadio(int firstId) const override { return Lookup(radios, firstId, kNoSelection); }

    void SetEditText(int id, std::string_view text) override { members[id] = text; }
    std::string GetEditText(int id) const override { return Lookup(members, id, std::string()); }
    void SetSpinRange(int spinId, int min, int max) override { spinRanges[spinId] = {min, max}; }

    void SetNumber(NumberKey key, std::int32_t value) override { numbers[key] = value; }
    std::int32_t GetNumber(NumberKey key) const override { return Lookup(numbers, key, 0); }

    void PushTexts() override
    {
        ++pushes;
        for (const auto& [id, text] : members) PushText(id);
    }
    void PushText(int id) override
    {
        shown[id] = members[id];
        if (onEditChange) onEditChange(id);
    }
    void PullTexts() override
    {
        ++pulls;
        for (const auto& [id, text] : shown) members[id] = text;
    }

    void EnableControl(int id, bool enable) override { enabled[id] = enable; }
    void MoveControl(int id, const Place& place) override { places[id] = place; }

    // The user replaces an edit's whole text.
    void Type(int id, const std::string& text)
    {
        shown[id] = text;
        if (onEditChange) onEditChange(id);
    }

    bool IsEnabled(int id) const { return Lookup(enabled, id, true); }

    std::map<int, int> checks;
    std::map<int, std::vector<std::string>> comboItems;
    std::map<int, int> comboSelection;
    std::map<int, int> radios;
    std::map<int, std::string> members;
    std::map<int, std::string> shown;
    std::map<int, std::pair<int, int>> spinRanges;
    std::map<NumberKey, std::int32_t> numbers;
    std::map<int, bool> enabled;
    std::map<int, Place> places;
    int pushes = 0;
    int pulls = 0;

private:
    template <class Map, class Value>
    static Value Lookup(const Map& map, typename Map::key_type id, Value fallback)
    {
        const auto found = map.find(id);
        return found == map.end() ? fallback : found->second;
    }
};

struct RecordedWrite {
    RegRoot root;
    std::string path;
    std::string name;
};

// The memory registry, with a log of the values set through it.
class RecordingRegistry final : public ForwardingRegistry {
public:
    RecordingRegistry() : ForwardingRegistry(m_memory) {}

    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override
    {
        if (refuseWritesUnder == root) return RegStatus::Denied;
        writes.push_back({root, std::string(path), std::string(name)});
        return ForwardingRegistry::SetValue(root, path, name, type, data, size);
    }

    // Whether a value exists, without creating its key.
    bool Has(RegRoot root, std::string_view path, std::string_view name)
    {
        unsigned char buffer[4096];
        std::uint32_t size = sizeof buffer;
        return m_memory.QueryValue(root, path, KeyOpen::ExistingOnly, name, buffer, size,
                                   nullptr) == RegStatus::Ok;
    }

    std::vector<RecordedWrite> writes;
    // Writes under this root are refused, as HKLM's are for a standard user.
    std::optional<RegRoot> refuseWritesUnder;

private:
    MemoryRegistry m_memory;
};

}  // namespace zelora::pagetest
