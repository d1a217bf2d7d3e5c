#pragma once
// A settings page as data: one row per registry value, saying which control shows it, how
// a saved number maps to the control's state and back, what to write when the value is
// missing and what `ResetDefaults` writes. PageModel walks these tables; a page adds code
// only for what no row can say.

#include "platform/registry/RegistryBackend.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zelora {

struct RegValue {
    RegRoot root = RegRoot::CurrentUser;
    std::string_view key{};
    std::string_view name{};
};

class RowKind;  // how a row loads, shows, saves and resets: pages/RowKinds.h

// A control is named by its id from the page's resource header (IDC_...), a plain number
// that the template shares. The other small numbers of a page's tables have types of their
// own, so that the compiler refuses one where a control id is taken, and the other way.

// The key under which a page keeps a number outside its controls (a mask's known number, a
// slider's level): PageControls::SetNumber.
enum class NumberKey : int {};

// An entry of a list or a button of a radio group, counted from 0.
enum class ListIndex : int {};
constexpr int Index(ListIndex index) { return static_cast<int>(index); }

// ---------------------------------------------------------------------------------------
// Choices: combo boxes and radio groups.

struct ChoiceItem {
    // UTF-8; a combo box's entry (radio buttons have their labels in the template).
    std::string_view label{};
    std::int32_t value = 0;
    std::int32_t secondValue = 0;  // written as `ValueRow::secondName`, when the row has one
};

// What a saved number that is no item's value selects.
inline constexpr int kNoSelection = -1;
inline constexpr int kKeepSelection = -2;  // the selection stays as it was
inline constexpr int kSavedAsIndex = -3;  // the number itself, when it is a valid index
inline constexpr int kLikeOther = -4;      // -1 gets no special treatment

struct ChoiceMap {
    std::span<const ChoiceItem> items{};
    int indexForMinusOne = kLikeOther;
    int indexForOther = kNoSelection;
};

// The index a saved number selects: an item with that value, else the map's rule for -1,
// else its rule for other numbers (which may be kNoSelection or kKeepSelection).
int IndexForValue(const ChoiceMap& map, std::int32_t saved);

// The number an index writes; an index that is no item's (-1, nothing selected) writes
// itself.
std::int32_t ValueForIndex(const ChoiceMap& map, int index);

// ---------------------------------------------------------------------------------------
// Bit masks: several boxes sharing one number.

struct MaskBox {
    int id = 0;
    std::int32_t part = 0;      // added when the box is ticked
    std::int32_t readPart = 0;  // what reading recognises, when it differs from `part`

    constexpr std::int32_t ReadPart() const { return readPart != 0 ? readPart : part; }
};

enum class UnknownMask {
    Clear,      // a number that is no sum of the parts reads as 0: every box unticked
    KeepBoxes,  // the number is kept as it is and the boxes stay as they were
};

struct MaskBoxes {
    std::span<const MaskBox> boxes{};
    UnknownMask unknown = UnknownMask::Clear;
};

// Reading and changing such a number: MatchMaskEitherPart and ApplyMaskBoxEitherPart in
// pages/AudioFormats.h.

// ---------------------------------------------------------------------------------------
// Numeric edits.

struct EditRange {
    std::int32_t min = 0;
    std::int32_t max = 0;
    int spinId = 0;  // the edit's up-down control, 0 when it has none
};

// ---------------------------------------------------------------------------------------

// What a kind needs beyond the common fields below (a second control, a text format): its
// own struct deriving from this one, which only that kind reads back.
struct RowExtra {};

struct ValueRow {
    const RowKind* kind = nullptr;
    // The control; the first button of a radio group; 0 for Number and Mask rows,
    // whose number the page keeps under `numberKey`.
    int controlId = 0;
    NumberKey numberKey{};
    RegValue value{};
    std::int32_t defaultValue = 0;  // shown and written when the value is missing
    std::int32_t resetValue = 0;    // written by ResetDefaults
    const ChoiceMap* choice = nullptr;  // Combo, Radio
    std::string_view secondName{};      // Combo, Radio: a second value, written, never read
    const MaskBoxes* mask = nullptr;     // Mask
    EditRange range{};                  // NumberText, GainText, Number
    std::int32_t onValue = 1;           // FlagCheck
    const RowExtra* extra = nullptr;      // the kind's own description, when it has one
};

// Whether a FlagCheck box shows ticked for a saved number: any number but 0, and but 1
// too when 1 is not the box's own value (the decoders use 1 for "not decoded, passed on").
bool FlagTicked(const ValueRow& row, std::int32_t saved);

// ---------------------------------------------------------------------------------------
// Dependent enables: a control enabled exactly while another control says so.

enum EnableMoment : unsigned {
    kOnClick = 1,  // when the source control is changed by the user
    kOnLoad = 2,   // at the end of Load
    kOnReset = 4,  // at the end of ResetDefaults' showing of the reset states
};

struct EnableRule {
    int sourceId = 0;
    // Nothing: the source is a check box and enables while ticked; otherwise the source is
    // a list and enables while this entry is selected.
    std::optional<ListIndex> selected{};
    std::span<const int> targets{};
    unsigned moments = kOnClick;
};

constexpr EnableRule EnableWhileTicked(int box, std::span<const int> targets, unsigned moments)
{
    return {box, std::nullopt, targets, moments};
}

constexpr EnableRule EnableWhileSelected(int list, ListIndex entry, std::span<const int> targets,
                                         unsigned moments)
{
    return {list, entry, targets, moments};
}

}  // namespace zelora
