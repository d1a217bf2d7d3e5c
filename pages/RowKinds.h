#pragma once
// The kinds of value row, each in one place: how its controls show a number, what number
// they hold, which controls belong to it, and what it writes. PageModel walks a page's
// table and asks each row's kind; a new kind is one class here and one builder (with, if
// it needs one, its own RowExtra for the row's `extra`). A kind whose value is no DWORD
// overrides Load, Saved and Write.
//
// Words: the registry is the RegistryStore the page's values live in; the saved number is
// what the registry holds for a row (or the row's default when it holds nothing); Write is
// the act of putting a number there.

#include "pages/AudioFormats.h"
#include "pages/RowContext.h"
#include "pages/ValueRow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelora {

class RowKind {
public:
    // Whether a notification of control `id` is a change of this row.
    virtual bool Owns(const ValueRow& row, int id) const { return row.controlId == id; }
    // Readies the controls before anything is shown in them (a list fills itself).
    virtual void Prepare(RowContext& /*page*/, const ValueRow& /*row*/) const {}
    // Shows a number: the saved one, or the row's reset value.
    virtual void Show(RowContext& page, const ValueRow& row, std::int32_t number) const = 0;
    // The number the controls hold now; nothing when they hold none (no selection).
    virtual std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const = 0;
    // The number a change of control `id` writes; by default what the controls hold.
    virtual std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                                int /*id*/) const
    {
        return Value(page, row);
    }

    // Reads the saved number (writing the default when the value is missing) and shows it.
    virtual void Load(RowContext& page, const ValueRow& row) const;
    // The saved number, for putting a control back after a refused write; reads only.
    virtual std::int32_t Saved(RowContext& page, const ValueRow& row) const;
    // Writes the number; false when the registry refused it.
    virtual bool Write(RowContext& page, const ValueRow& row, std::int32_t value) const;
    // The registry type of the row's value (a second value is always a DWORD).
    virtual RegType RegistryType() const { return RegType::Dword; }

    // What the row's controls can write, which is all a settings file may hold for it: the
    // number of a DWORD row, the text of a REG_SZ row, the row's second value. Each comes
    // with its description for the user (Korean).
    virtual bool CanWrite(const ValueRow& row, std::int32_t number) const = 0;
    virtual std::string WritableText(const ValueRow& row) const = 0;
    virtual bool CanWriteText(const ValueRow& /*row*/, std::string_view /*text*/) const
    {
        return false;
    }
    virtual bool CanWriteSecond(const ValueRow& /*row*/, std::int32_t /*number*/) const
    {
        return false;
    }
    virtual std::string SecondWritableText(const ValueRow& /*row*/) const { return {}; }

protected:
    constexpr RowKind() = default;
    ~RowKind() = default;
};

// A check box writing its check state; a saved number is shown as it is.
class CheckKind final : public RowKind {
public:
    constexpr CheckKind() = default;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// A check box writing `onValue` when ticked and 0 when not.
class FlagCheckKind final : public RowKind {
public:
    constexpr FlagCheckKind() = default;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// Several check boxes, each owning a part of one number the page keeps.
class MaskKind final : public RowKind {
public:
    constexpr MaskKind() = default;
    bool Owns(const ValueRow& row, int id) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    // Recomputed from the boxes, which also settles the number the page keeps.
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    // One box changed: its part set or cleared in the kept number.
    std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                        int id) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// Combo boxes and radio groups: an index mapped to a saved number (and a second value).
class ChoiceKind : public RowKind {
public:
    bool Write(RowContext& page, const ValueRow& row, std::int32_t value) const override;

    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
    bool CanWriteSecond(const ValueRow& row, std::int32_t number) const override;
    std::string SecondWritableText(const ValueRow& row) const override;

protected:
    constexpr ChoiceKind() = default;
    ~ChoiceKind() = default;
    static std::optional<std::int32_t> ValueOf(const ValueRow& row, int index);
};

// A drop-down list the page fills from the row's choices.
class ComboKind final : public ChoiceKind {
public:
    constexpr ComboKind() = default;
    void Prepare(RowContext& page, const ValueRow& row) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
};

// Radio buttons `controlId`, `controlId` + 1, ...: the clicked button is the choice.
class RadioKind final : public ChoiceKind {
public:
    constexpr RadioKind() = default;
    bool Owns(const ValueRow& row, int id) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                        int id) const override;
};

// A numeric edit: the number as decimal text, clamped to the row's range when typed.
class NumberTextKind final : public RowKind {
public:
    constexpr NumberTextKind() = default;
    void Prepare(RowContext& page, const ValueRow& row) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                        int id) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// A combo box whose entries write two numbers, where several entries may share the first:
// the second is read only to tell those apart. The row's default and reset are entry
// indexes; the entries' numbers are what is written.
class ChoicePairKind final : public RowKind {
public:
    constexpr ChoicePairKind() = default;
    void Prepare(RowContext& page, const ValueRow& row) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    void Load(RowContext& page, const ValueRow& row) const override;
    std::int32_t Saved(RowContext& page, const ValueRow& row) const override;
    bool Write(RowContext& page, const ValueRow& row, std::int32_t value) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
    bool CanWriteSecond(const ValueRow& row, std::int32_t number) const override;
    std::string SecondWritableText(const ValueRow& row) const override;
};

// A format box and its S/PDIF pass-through box sharing one number (FormatPair); the S/PDIF
// box can be clicked only while its format is ticked and the decoder is installed.
struct FormatPairControls : RowExtra {
    FormatPair pair;
    int spdifId = 0;  // the S/PDIF box; the row's `controlId` is the format box
};

class FormatPairKind final : public RowKind {
public:
    constexpr FormatPairKind() = default;
    bool Owns(const ValueRow& row, int id) const override;
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                        int id) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// A level edited in decibels and saved as the decoder's linear gain, a REG_SZ text
// ("1.778279" for 5 dB). The edit behaves as a NumberText edit over the row's range.
class GainTextKind final : public RowKind {
public:
    constexpr GainTextKind() = default;
    void Show(RowContext& page, const ValueRow& row, std::int32_t decibels) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    std::optional<std::int32_t> Changed(RowContext& page, const ValueRow& row,
                                        int id) const override;
    void Load(RowContext& page, const ValueRow& row) const override;
    std::int32_t Saved(RowContext& page, const ValueRow& row) const override;
    bool Write(RowContext& page, const ValueRow& row, std::int32_t decibels) const override;
    RegType RegistryType() const override { return RegType::String; }
    // Decibels within the row's range.
    bool CanWrite(const ValueRow& row, std::int32_t decibels) const override;
    // A gain as Ac3GainText writes one ("1.778279") whose decibels are within the range.
    bool CanWriteText(const ValueRow& row, std::string_view text) const override;
    std::string WritableText(const ValueRow& row) const override;
};

// A number the page keeps outside any control (a slider's level, within the row's range);
// no control owns it.
class NumberKind final : public RowKind {
public:
    constexpr NumberKind() = default;
    bool Owns(const ValueRow&, int) const override { return false; }
    void Show(RowContext& page, const ValueRow& row, std::int32_t number) const override;
    std::optional<std::int32_t> Value(RowContext& page, const ValueRow& row) const override;
    bool CanWrite(const ValueRow& row, std::int32_t number) const override;
    std::string WritableText(const ValueRow& row) const override;
};

inline constexpr CheckKind kCheckKind{};
inline constexpr FlagCheckKind kFlagCheckKind{};
inline constexpr MaskKind kMaskKind{};
inline constexpr ComboKind kComboKind{};
inline constexpr RadioKind kRadioKind{};
inline constexpr NumberTextKind kNumberTextKind{};
inline constexpr NumberKind kNumberKind{};
inline constexpr ChoicePairKind kChoicePairKind{};
inline constexpr FormatPairKind kFormatPairKind{};
inline constexpr GainTextKind kGainTextKind{};

// Row builders, so that a page's table reads like a table.
constexpr ValueRow CheckRow(int id, RegValue value, std::int32_t defaultValue,
                            std::int32_t resetValue)
{
    return {.kind = &kCheckKind, .controlId = id, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue};
}

constexpr ValueRow FlagCheckRow(int id, RegValue value, std::int32_t onValue,
                                std::int32_t defaultValue, std::int32_t resetValue)
{
    return {.kind = &kFlagCheckKind, .controlId = id, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .onValue = onValue};
}

constexpr ValueRow MaskRow(NumberKey numberKey, RegValue value, const MaskBoxes& mask,
                           std::int32_t defaultValue, std::int32_t resetValue)
{
    return {.kind = &kMaskKind, .numberKey = numberKey, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .mask = &mask};
}

constexpr ValueRow ComboRow(int id, RegValue value, const ChoiceMap& choice,
                            std::int32_t defaultValue, std::int32_t resetValue,
                            std::string_view secondName = {})
{
    return {.kind = &kComboKind, .controlId = id, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .choice = &choice,
            .secondName = secondName};
}

constexpr ValueRow RadioRow(int firstId, RegValue value, const ChoiceMap& choice,
                            std::int32_t defaultValue, std::int32_t resetValue,
                            std::string_view secondName = {})
{
    return {.kind = &kRadioKind, .controlId = firstId, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .choice = &choice,
            .secondName = secondName};
}

constexpr ValueRow NumberTextRow(int id, RegValue value, EditRange range,
                                 std::int32_t defaultValue, std::int32_t resetValue)
{
    return {.kind = &kNumberTextKind, .controlId = id, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .range = range};
}

constexpr ValueRow NumberRow(NumberKey numberKey, RegValue value, EditRange levels,
                             std::int32_t defaultValue, std::int32_t resetValue)
{
    return {.kind = &kNumberKind, .numberKey = numberKey, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .range = levels};
}

constexpr ValueRow ChoicePairRow(int id, RegValue value, std::string_view secondName,
                                 const ChoiceMap& choice, ListIndex defaultEntry,
                                 ListIndex resetEntry)
{
    return {.kind = &kChoicePairKind, .controlId = id, .value = value,
            .defaultValue = Index(defaultEntry), .resetValue = Index(resetEntry),
            .choice = &choice,
            .secondName = secondName};
}

constexpr ValueRow FormatPairRow(int formatId, RegValue value, const FormatPairControls& pair,
                                 std::int32_t defaultValue, std::int32_t resetValue)
{
    return {.kind = &kFormatPairKind, .controlId = formatId, .value = value,
            .defaultValue = defaultValue, .resetValue = resetValue, .extra = &pair};
}

constexpr ValueRow GainTextRow(int id, RegValue value, EditRange decibels,
                               std::int32_t defaultDecibels, std::int32_t resetDecibels)
{
    return {.kind = &kGainTextKind, .controlId = id, .value = value,
            .defaultValue = defaultDecibels, .resetValue = resetDecibels, .range = decibels};
}

}  // namespace zelora
