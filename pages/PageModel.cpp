#include "pages/PageModel.h"

#include "pages/NumericEdit.h"
#include "platform/text/Text.h"

#include <string>

namespace zelora {
namespace {

bool ValidIndex(const ChoiceMap& map, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < map.items.size();
}

}  // namespace

void PageModel::Load(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) LoadRow(row);
}

void PageModel::SaveAll(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) SaveRow(row);
}

void PageModel::ResetDefaults(std::span<const ValueRow> rows)
{
    ShowResetStates(rows);
    PushTexts();
    SaveAll(rows);
}

void PageModel::ShowResetStates(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) ShowReset(row);
}

bool PageModel::OnControlChanged(std::span<const ValueRow> rows, int id)
{
    if (Exchanging()) return false;
    const ValueRow* row = FindRow(rows, id);
    if (row == nullptr) return false;

    switch (row->kind) {
    case ValueKind::Check:
        Write(*row, m_controls.GetCheck(id));
        break;
    case ValueKind::FlagCheck:
        Write(*row, m_controls.GetCheck(id) != 0 ? row->onValue : 0);
        break;
    case ValueKind::MaskBits:
        for (const MaskBox& box : row->mask->boxes) {
            if (box.id != id) continue;
            const std::int32_t known = ApplyMaskBox(m_controls.GetNumber(row->controlId), box,
                                                    m_controls.GetCheck(id) != 0);
            m_controls.SetNumber(row->controlId, known);
            Write(*row, known);
        }
        break;
    case ValueKind::Combo:
        WriteChoice(*row, m_controls.GetComboIndex(id));
        break;
    case ValueKind::Radio:
        // The clicked button is the selection; the group need not be read back.
        WriteChoice(*row, id - row->controlId);
        break;
    case ValueKind::NumberText:
        EditChanged(*row);
        break;
    case ValueKind::Number:
        return false;
    }
    return true;
}

void PageModel::Layout(std::span<const PageControl> controls, bool decoderInstalled)
{
    if (m_laidOut) return;
    for (const PageControl& control : controls) {
        if (control.place.IsSet()) m_controls.MoveControl(control.id, control.place);
    }
    if (!decoderInstalled) {
        for (const PageControl& control : controls) {
            if (!control.enabledWithoutDecoder) m_controls.EnableControl(control.id, false);
        }
    }
    m_laidOut = true;
}

void PageModel::PushTexts()
{
    m_exchange.Run([this] { m_controls.PushTexts(); });
}

void PageModel::PullTexts()
{
    m_exchange.Run([this] { m_controls.PullTexts(); });
}

const ValueRow* PageModel::FindRow(std::span<const ValueRow> rows, int id)
{
    for (const ValueRow& row : rows) {
        switch (row.kind) {
        case ValueKind::MaskBits:
            for (const MaskBox& box : row.mask->boxes) {
                if (box.id == id) return &row;
            }
            break;
        case ValueKind::Radio:
            if (id >= row.controlId &&
                id - row.controlId < static_cast<int>(row.choice->items.size()))
                return &row;
            break;
        case ValueKind::Number:
            break;  // its id is a key, not a control
        default:
            if (row.controlId == id) return &row;
            break;
        }
    }
    return nullptr;
}

void PageModel::LoadRow(const ValueRow& row)
{
    const RegValue& at = row.value;
    std::int32_t stored = 0;
    switch (row.kind) {
    case ValueKind::Check:
        m_controls.SetCheck(row.controlId,
                            m_store.LoadCheck(at.root, at.key, at.name, row.defaultValue));
        break;
    case ValueKind::FlagCheck:
        m_store.LoadDword(at.root, at.key, at.name, stored, row.defaultValue);
        m_controls.SetCheck(row.controlId, FlagTicked(row, stored) ? 1 : 0);
        break;
    case ValueKind::MaskBits:
        m_store.LoadDword(at.root, at.key, at.name, stored, row.defaultValue);
        ShowMask(row, stored);
        break;
    case ValueKind::Combo:
        m_controls.FillCombo(row.controlId, row.choice->items);
        m_store.LoadDword(at.root, at.key, at.name, stored, row.defaultValue);
        ShowChoice(row, stored);
        break;
    case ValueKind::Radio:
        m_store.LoadDword(at.root, at.key, at.name, stored, row.defaultValue);
        ShowChoice(row, stored);
        break;
    case ValueKind::NumberText: {
        std::string text;
        m_store.LoadDwordText(at.root, at.key, at.name, text,
                              std::to_string(row.defaultValue));
        m_controls.SetEditText(row.controlId, text);
        if (row.range.spinId != 0)
            m_controls.SetSpinRange(row.range.spinId, row.range.min, row.range.max);
        break;
    }
    case ValueKind::Number:
        m_store.LoadDword(at.root, at.key, at.name, stored, row.defaultValue);
        m_controls.SetNumber(row.controlId, stored);
        break;
    }
}

void PageModel::ShowReset(const ValueRow& row)
{
    switch (row.kind) {
    case ValueKind::Check:
        m_controls.SetCheck(row.controlId, row.resetValue);
        break;
    case ValueKind::FlagCheck:
        m_controls.SetCheck(row.controlId, FlagTicked(row, row.resetValue) ? 1 : 0);
        break;
    case ValueKind::MaskBits:
        ShowMask(row, row.resetValue);
        break;
    case ValueKind::Combo:
        // The main window resets pages that were never shown, whose lists are still empty:
        // selecting in an empty list would store "nothing selected" instead of the reset.
        m_controls.FillCombo(row.controlId, row.choice->items);
        ShowChoice(row, row.resetValue);
        break;
    case ValueKind::Radio:
        ShowChoice(row, row.resetValue);
        break;
    case ValueKind::NumberText:
        m_controls.SetEditText(row.controlId, std::to_string(row.resetValue));
        break;
    case ValueKind::Number:
        m_controls.SetNumber(row.controlId, row.resetValue);
        break;
    }
}

void PageModel::SaveRow(const ValueRow& row)
{
    switch (row.kind) {
    case ValueKind::Check:
        Write(row, m_controls.GetCheck(row.controlId));
        break;
    case ValueKind::FlagCheck:
        Write(row, m_controls.GetCheck(row.controlId) != 0 ? row.onValue : 0);
        break;
    case ValueKind::MaskBits: {
        // Recomputed from the boxes, which also settles the number the page keeps.
        std::int32_t sum = 0;
        for (const MaskBox& box : row.mask->boxes) {
            if (m_controls.GetCheck(box.id) != 0) sum += box.part;
        }
        m_controls.SetNumber(row.controlId, sum);
        Write(row, sum);
        break;
    }
    case ValueKind::Combo:
        WriteChoice(row, m_controls.GetComboIndex(row.controlId));
        break;
    case ValueKind::Radio: {
        // A group with no button chosen has nothing to say; its values stay as stored.
        const int index = m_controls.GetRadio(row.controlId);
        if (ValidIndex(*row.choice, index)) WriteChoice(row, index);
        break;
    }
    case ValueKind::NumberText:
        Write(row, DecimalTextToInt(m_controls.GetEditText(row.controlId)));
        break;
    case ValueKind::Number:
        Write(row, m_controls.GetNumber(row.controlId));
        break;
    }
}

void PageModel::ShowMask(const ValueRow& row, std::int32_t stored)
{
    const MaskSpec& mask = *row.mask;
    if (const auto ticked = MatchMask(mask, stored)) {
        for (std::size_t i = 0; i < mask.boxes.size(); ++i)
            m_controls.SetCheck(mask.boxes[i].id, (*ticked >> i) & 1u ? 1 : 0);
        m_controls.SetNumber(row.controlId, stored);
        return;
    }
    if (mask.unknown == UnknownMask::KeepBoxes) {
        m_controls.SetNumber(row.controlId, stored);
        return;
    }
    // Read as 0 without rewriting the registry: the stored number stays until a box or
    // SaveAll writes a new one.
    for (const MaskBox& box : mask.boxes) m_controls.SetCheck(box.id, 0);
    m_controls.SetNumber(row.controlId, 0);
}

void PageModel::ShowChoice(const ValueRow& row, std::int32_t stored)
{
    const int index = IndexForValue(*row.choice, stored);
    if (index == kKeepSelection) return;
    if (row.kind == ValueKind::Radio) {
        m_controls.SetRadio(row.controlId, index);
    } else {
        m_controls.SetComboIndex(row.controlId, index);
    }
}

void PageModel::WriteChoice(const ValueRow& row, int index)
{
    const ChoiceMap& map = *row.choice;
    Write(row, ValueForIndex(map, index));
    if (!row.secondName.empty() && ValidIndex(map, index)) {
        m_store.WriteDword(row.value.root, row.value.key, row.secondName,
                           map.items[static_cast<std::size_t>(index)].secondValue);
    }
}

void PageModel::EditChanged(const ValueRow& row)
{
    // Always take the edits' texts in, an emptied member included: otherwise whatever the
    // user types into a box after emptying it would be shown but never stored.
    PullTexts();
    std::string text = m_controls.GetEditText(row.controlId);
    const std::string maxText = std::to_string(row.range.max);
    const std::string minText = std::to_string(row.range.min);
    ClampEditNumber(text, maxText, minText);
    m_controls.SetEditText(row.controlId, text);
    if (text == maxText || text == minText) PushTexts();
    Write(row, DecimalTextToInt(text));
}

void PageModel::Write(const ValueRow& row, std::int32_t value)
{
    m_store.WriteDword(row.value.root, row.value.key, row.value.name, value);
}

}  // namespace zelora
