#include "pages/RowKinds.h"

#include "pages/AudioFormats.h"
#include "pages/LevelConversions.h"
#include "pages/NumericEdit.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zelora {
namespace {

std::string Either(std::int32_t a, std::int32_t b)
{
    return std::to_string(a) + " 또는 " + std::to_string(b);
}

std::string RangeText(const EditRange& range)
{
    return std::to_string(range.min) + "부터 " + std::to_string(range.max) + "까지의 정수";
}

bool InRange(const EditRange& range, std::int32_t number)
{
    return number >= range.min && number <= range.max;
}

// The numbers a row's choices write to its value, or to its second value.
std::vector<std::int32_t> ChoiceNumbers(const ChoiceMap& map, bool second)
{
    std::vector<std::int32_t> numbers;
    for (const ChoiceItem& item : map.items) {
        const std::int32_t number = second ? item.secondValue : item.value;
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(number);
    }
    return numbers;
}

bool IsChoiceNumber(const ChoiceMap& map, bool second, std::int32_t number)
{
    const std::vector<std::int32_t> numbers = ChoiceNumbers(map, second);
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

std::string ChoicesText(const ChoiceMap& map, bool second)
{
    std::string text = "다음 중 하나: ";
    const std::vector<std::int32_t> numbers = ChoiceNumbers(map, second);
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// What every kind shares: one DWORD, read with the registry's load operation.

void RowKind::Load(RowContext& page, const ValueRow& row) const
{
    Prepare(page, row);
    std::int32_t saved = 0;
    page.Registry().LoadDword(row.value.root, row.value.key, row.value.name, saved,
                              row.defaultValue);
    Show(page, row, saved);
}

std::int32_t RowKind::Saved(RowContext& page, const ValueRow& row) const
{
    const std::int32_t saved =
        page.Registry().ReadDword(row.value.root, row.value.key, row.value.name);
    return saved == RegistryStore::MissingDword ? row.defaultValue : saved;
}

bool RowKind::Write(RowContext& page, const ValueRow& row, std::int32_t value) const
{
    return page.Registry().WriteDword(row.value.root, row.value.key, row.value.name, value);
}

// ---------------------------------------------------------------------------------------

void CheckKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    page.Controls().SetCheck(row.controlId, number);
}

std::optional<std::int32_t> CheckKind::Value(RowContext& page, const ValueRow& row) const
{
    return page.Controls().GetCheck(row.controlId);
}

bool CheckKind::CanWrite(const ValueRow&, std::int32_t number) const
{
    return number == 0 || number == 1;
}

std::string CheckKind::WritableText(const ValueRow&) const { return Either(0, 1); }

// ---------------------------------------------------------------------------------------

void FlagCheckKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    page.Controls().SetCheck(row.controlId, FlagTicked(row, number) ? 1 : 0);
}

std::optional<std::int32_t> FlagCheckKind::Value(RowContext& page, const ValueRow& row) const
{
    return page.Controls().GetCheck(row.controlId) != 0 ? row.onValue : 0;
}

bool FlagCheckKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return number == 0 || number == row.onValue;
}

std::string FlagCheckKind::WritableText(const ValueRow& row) const
{
    return Either(0, row.onValue);
}

// ---------------------------------------------------------------------------------------

bool MaskKind::Owns(const ValueRow& row, int id) const
{
    for (const MaskBox& box : row.mask->boxes)
        if (box.id == id) return true;
    return false;
}

void MaskKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    PageControls& controls = page.Controls();
    const MaskBoxes& mask = *row.mask;
    if (const auto ticked = MatchMaskEitherPart(mask, number)) {
        for (std::size_t i = 0; i < mask.boxes.size(); ++i)
            controls.SetCheck(mask.boxes[i].id, (*ticked >> i) & 1u ? 1 : 0);
        controls.SetNumber(row.numberKey, number);
        return;
    }
    if (mask.unknown == UnknownMask::KeepBoxes) {
        controls.SetNumber(row.numberKey, number);
        return;
    }
    // Read as 0 without rewriting the registry: the saved number stays until a box or
    // SaveAll writes a new one.
    for (const MaskBox& box : mask.boxes) controls.SetCheck(box.id, 0);
    controls.SetNumber(row.numberKey, 0);
}

std::optional<std::int32_t> MaskKind::Value(RowContext& page, const ValueRow& row) const
{
    std::int32_t known = 0;
    for (const MaskBox& box : row.mask->boxes)
        if (page.Controls().GetCheck(box.id) != 0)
            known = ApplyMaskBoxEitherPart(known, box, true);
    page.Controls().SetNumber(row.numberKey, known);
    return known;
}

std::optional<std::int32_t> MaskKind::Changed(RowContext& page, const ValueRow& row,
                                              int id) const
{
    PageControls& controls = page.Controls();
    for (const MaskBox& box : row.mask->boxes) {
        if (box.id != id) continue;
        const std::int32_t known = ApplyMaskBoxEitherPart(controls.GetNumber(row.numberKey), box,
                                                          controls.GetCheck(id) != 0);
        controls.SetNumber(row.numberKey, known);
        return known;
    }
    return std::nullopt;
}

namespace {

// Every bit a box of the mask sets or recognises.
std::uint32_t MaskBits(const MaskBoxes& mask)
{
    std::uint32_t bits = 0;
    for (const MaskBox& box : mask.boxes)
        bits |= static_cast<std::uint32_t>(box.part) | static_cast<std::uint32_t>(box.ReadPart());
    return bits;
}

}  // namespace

bool MaskKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return (static_cast<std::uint32_t>(number) & ~MaskBits(*row.mask)) == 0;
}

std::string MaskKind::WritableText(const ValueRow& row) const
{
    const auto bits = static_cast<std::uint32_t>(MaskBits(*row.mask));
    std::string text = "비트 0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += HexDigit(bits >> shift);
    return text + " 안에서 켜진 비트만 있는 수";
}

// ---------------------------------------------------------------------------------------

std::optional<std::int32_t> ChoiceKind::ValueOf(const ValueRow& row, int index)
{
    // Nothing chosen says nothing: writing it would save -1 for a choice nobody made.
    if (index < 0 || static_cast<std::size_t>(index) >= row.choice->items.size())
        return std::nullopt;
    return ValueForIndex(*row.choice, index);
}

bool ChoiceKind::Write(RowContext& page, const ValueRow& row, std::int32_t value) const
{
    if (!RowKind::Write(page, row, value)) return false;
    if (row.secondName.empty()) return true;
    const int index = IndexForValue(*row.choice, value);
    if (index < 0) return true;
    return page.Registry().WriteDword(row.value.root, row.value.key, row.secondName,
                                      row.choice->items[static_cast<std::size_t>(index)].secondValue);
}

bool ChoiceKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return IsChoiceNumber(*row.choice, false, number);
}

std::string ChoiceKind::WritableText(const ValueRow& row) const
{
    return ChoicesText(*row.choice, false);
}

bool ChoiceKind::CanWriteSecond(const ValueRow& row, std::int32_t number) const
{
    return !row.secondName.empty() && IsChoiceNumber(*row.choice, true, number);
}

std::string ChoiceKind::SecondWritableText(const ValueRow& row) const
{
    return ChoicesText(*row.choice, true);
}

void ComboKind::Prepare(RowContext& page, const ValueRow& row) const
{
    // Also before a reset of a page never shown: selecting in an empty list selects nothing.
    page.Controls().FillCombo(row.controlId, row.choice->items);
}

void ComboKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    const int index = IndexForValue(*row.choice, number);
    if (index != kKeepSelection) page.Controls().SetComboIndex(row.controlId, index);
}

std::optional<std::int32_t> ComboKind::Value(RowContext& page, const ValueRow& row) const
{
    return ValueOf(row, page.Controls().GetComboIndex(row.controlId));
}

bool RadioKind::Owns(const ValueRow& row, int id) const
{
    return id >= row.controlId && id - row.controlId < static_cast<int>(row.choice->items.size());
}

void RadioKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    const int index = IndexForValue(*row.choice, number);
    if (index != kKeepSelection) page.Controls().SetRadio(row.controlId, index);
}

std::optional<std::int32_t> RadioKind::Value(RowContext& page, const ValueRow& row) const
{
    return ValueOf(row, page.Controls().GetRadio(row.controlId));
}

std::optional<std::int32_t> RadioKind::Changed(RowContext&, const ValueRow& row, int id) const
{
    // The clicked button is the selection; the group need not be read back.
    return ValueOf(row, id - row.controlId);
}

// ---------------------------------------------------------------------------------------

void NumberTextKind::Prepare(RowContext& page, const ValueRow& row) const
{
    if (row.range.spinId != 0)
        page.Controls().SetSpinRange(row.range.spinId, row.range.min, row.range.max);
}

void NumberTextKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    page.Controls().SetEditText(row.controlId, std::to_string(number));
}

std::optional<std::int32_t> NumberTextKind::Value(RowContext& page, const ValueRow& row) const
{
    return DecimalTextToInt(page.Controls().GetEditText(row.controlId));
}

std::optional<std::int32_t> NumberTextKind::Changed(RowContext& page, const ValueRow& row,
                                                    int) const
{
    // Always take the edits' texts in, an emptied member included: otherwise whatever the
    // user types into a box after emptying it would be shown but never written.
    page.PullTexts();
    std::string text = page.Controls().GetEditText(row.controlId);
    const std::string maxText = std::to_string(row.range.max);
    const std::string minText = std::to_string(row.range.min);
    ClampEditNumber(text, maxText, minText);
    page.Controls().SetEditText(row.controlId, text);
    if (text == maxText || text == minText) page.PushTexts();
    return DecimalTextToInt(text);
}

bool NumberTextKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return InRange(row.range, number);
}

std::string NumberTextKind::WritableText(const ValueRow& row) const { return RangeText(row.range); }

// ---------------------------------------------------------------------------------------

namespace {

// The entry a saved pair selects; `readSecond` is asked for the second number only when
// several entries share the first.
template <class ReadSecond>
int PairIndex(const ChoiceMap& map, std::int32_t first, ReadSecond readSecond)
{
    int sharing = 0;
    int only = kNoSelection;
    for (std::size_t i = 0; i < map.items.size(); ++i) {
        if (map.items[i].value != first) continue;
        ++sharing;
        only = static_cast<int>(i);
    }
    if (sharing == 1) return only;
    if (sharing > 1) {
        const std::int32_t second = readSecond();
        for (std::size_t i = 0; i < map.items.size(); ++i)
            if (map.items[i].value == first && map.items[i].secondValue == second)
                return static_cast<int>(i);
    }
    return map.indexForOther;
}

bool IsIndexOf(const ChoiceMap& map, std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < map.items.size();
}

}  // namespace

void ChoicePairKind::Prepare(RowContext& page, const ValueRow& row) const
{
    kComboKind.Prepare(page, row);
}

void ChoicePairKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    page.Controls().SetComboIndex(row.controlId,
                                  IsIndexOf(*row.choice, number) ? number : row.choice->indexForOther);
}

std::optional<std::int32_t> ChoicePairKind::Value(RowContext& page, const ValueRow& row) const
{
    const int index = page.Controls().GetComboIndex(row.controlId);
    if (!IsIndexOf(*row.choice, index)) return std::nullopt;
    return index;
}

void ChoicePairKind::Load(RowContext& page, const ValueRow& row) const
{
    Prepare(page, row);
    const ChoiceItem& fallback = row.choice->items[static_cast<std::size_t>(row.defaultValue)];
    RegistryStore& registry = page.Registry();
    const RegValue& at = row.value;
    std::int32_t first = 0;
    registry.LoadDword(at.root, at.key, at.name, first, fallback.value);
    const int index = PairIndex(*row.choice, first, [&] {
        std::int32_t second = 0;
        registry.LoadDword(at.root, at.key, row.secondName, second, fallback.secondValue);
        return second;
    });
    Show(page, row, index);
}

std::int32_t ChoicePairKind::Saved(RowContext& page, const ValueRow& row) const
{
    const RegValue& at = row.value;
    const ChoiceItem& fallback = row.choice->items[static_cast<std::size_t>(row.defaultValue)];
    auto read = [&](std::string_view name, std::int32_t missing) {
        const std::int32_t saved = page.Registry().ReadDword(at.root, at.key, name);
        return saved == RegistryStore::MissingDword ? missing : saved;
    };
    return PairIndex(*row.choice, read(at.name, fallback.value),
                     [&] { return read(row.secondName, fallback.secondValue); });
}

bool ChoicePairKind::Write(RowContext& page, const ValueRow& row, std::int32_t value) const
{
    if (!IsIndexOf(*row.choice, value)) return true;  // nothing chosen writes nothing
    const ChoiceItem& item = row.choice->items[static_cast<std::size_t>(value)];
    const RegValue& at = row.value;
    return page.Registry().WriteDword(at.root, at.key, at.name, item.value) &&
           page.Registry().WriteDword(at.root, at.key, row.secondName, item.secondValue);
}

bool ChoicePairKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return IsChoiceNumber(*row.choice, false, number);
}

std::string ChoicePairKind::WritableText(const ValueRow& row) const
{
    return ChoicesText(*row.choice, false);
}

bool ChoicePairKind::CanWriteSecond(const ValueRow& row, std::int32_t number) const
{
    return IsChoiceNumber(*row.choice, true, number);
}

std::string ChoicePairKind::SecondWritableText(const ValueRow& row) const
{
    return ChoicesText(*row.choice, true);
}

// ---------------------------------------------------------------------------------------

namespace {

const FormatPairControls& PairOf(const ValueRow& row)
{
    return static_cast<const FormatPairControls&>(*row.extra);
}

}  // namespace

bool FormatPairKind::Owns(const ValueRow& row, int id) const
{
    return id == row.controlId || id == PairOf(row).spdifId;
}

void FormatPairKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    const FormatPairControls& pair = PairOf(row);
    const FormatPairBoxes boxes = ShowFormatPair(pair.pair, number, page.DecoderInstalled());
    page.Controls().SetCheck(row.controlId, boxes.format ? 1 : 0);
    page.Controls().SetCheck(pair.spdifId, boxes.spdif ? 1 : 0);
    page.Controls().EnableControl(pair.spdifId, boxes.spdifEnabled);
}

std::optional<std::int32_t> FormatPairKind::Value(RowContext& page, const ValueRow& row) const
{
    const FormatPairControls& pair = PairOf(row);
    return FormatPairValue(pair.pair, page.Controls().GetCheck(row.controlId) != 0,
                           page.Controls().GetCheck(pair.spdifId) != 0);
}

std::optional<std::int32_t> FormatPairKind::Changed(RowContext& page, const ValueRow& row,
                                                    int id) const
{
    if (id == row.controlId) {
        page.Controls().EnableControl(
            PairOf(row).spdifId, page.DecoderInstalled() && page.Controls().GetCheck(id) != 0);
    }
    return Value(page, row);
}

bool FormatPairKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return FormatPairWrites(PairOf(row).pair, number);
}

std::string FormatPairKind::WritableText(const ValueRow& row) const
{
    const FormatPair& pair = PairOf(row).pair;
    std::string text = "다음 중 하나: ";
    for (const bool format : {false, true})
        for (const bool spdif : {false, true})
            text += std::to_string(FormatPairValue(pair, format, spdif)) + (format && spdif ? "" : ", ");
    return text;
}

// ---------------------------------------------------------------------------------------

void GainTextKind::Show(RowContext& page, const ValueRow& row, std::int32_t decibels) const
{
    kNumberTextKind.Show(page, row, decibels);
}

std::optional<std::int32_t> GainTextKind::Value(RowContext& page, const ValueRow& row) const
{
    return kNumberTextKind.Value(page, row);
}

std::optional<std::int32_t> GainTextKind::Changed(RowContext& page, const ValueRow& row,
                                                  int id) const
{
    return kNumberTextKind.Changed(page, row, id);
}

void GainTextKind::Load(RowContext& page, const ValueRow& row) const
{
    // The saved text is never rewritten: only a missing one gets the default's gain.
    std::string gain;
    page.Registry().LoadString(row.value.root, row.value.key, row.value.name, gain,
                            Ac3GainText(row.defaultValue));
    Show(page, row, Ac3DecibelsFromGainText(gain));
}

std::int32_t GainTextKind::Saved(RowContext& page, const ValueRow& row) const
{
    const std::string gain =
        page.Registry().ReadString(row.value.root, row.value.key, row.value.name);
    if (gain == RegistryStore::MissingString) return row.defaultValue;
    return Ac3DecibelsFromGainText(gain);
}

bool GainTextKind::Write(RowContext& page, const ValueRow& row, std::int32_t decibels) const
{
    return page.Registry().WriteString(row.value.root, row.value.key, row.value.name,
                                    Ac3GainText(decibels));
}

bool GainTextKind::CanWrite(const ValueRow& row, std::int32_t decibels) const
{
    return InRange(row.range, decibels);
}

bool GainTextKind::CanWriteText(const ValueRow& row, std::string_view text) const
{
    return IsAc3GainText(text) && CanWrite(row, Ac3DecibelsFromGainText(text));
}

std::string GainTextKind::WritableText(const ValueRow& row) const
{
    return "\"" + Ac3GainText(0) + "\"처럼 소수점 아래 여섯 자리로 쓴, " +
           std::to_string(row.range.min) + " dB부터 " + std::to_string(row.range.max) +
           " dB까지의 이득 (" + Ac3GainText(row.range.min) + "부터 " + Ac3GainText(row.range.max) + "까지)";
}

// ---------------------------------------------------------------------------------------

void NumberKind::Show(RowContext& page, const ValueRow& row, std::int32_t number) const
{
    page.Controls().SetNumber(row.numberKey, number);
}

std::optional<std::int32_t> NumberKind::Value(RowContext& page, const ValueRow& row) const
{
    return page.Controls().GetNumber(row.numberKey);
}

bool NumberKind::CanWrite(const ValueRow& row, std::int32_t number) const
{
    return InRange(row.range, number);
}

std::string NumberKind::WritableText(const ValueRow& row) const { return RangeText(row.range); }

}  // namespace zelora
