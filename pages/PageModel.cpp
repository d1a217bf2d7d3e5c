#include "pages/PageModel.h"

namespace zelora {

void PageModel::Load(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) row.kind->Load(*this, row);
    ApplyEnablesOf(kOnLoad, rows);
}

void PageModel::SaveAll(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) {
        if (const auto value = row.kind->Value(*this, row)) Commit(row, *value);
    }
}

void PageModel::ResetDefaults(std::span<const ValueRow> rows)
{
    ShowResetStates(rows);
    PushTexts();
    SaveAll(rows);
}

void PageModel::ShowResetStates(std::span<const ValueRow> rows)
{
    for (const ValueRow& row : rows) {
        row.kind->Prepare(*this, row);
        row.kind->Show(*this, row, row.resetValue);
    }
    ApplyEnablesOf(kOnReset, rows);
}

bool PageModel::OnControlChanged(std::span<const ValueRow> rows, int id)
{
    if (Exchanging()) return false;
    const ValueRow* row = FindRow(rows, id);
    if (row == nullptr) return false;
    if (const auto value = row->kind->Changed(*this, *row, id)) Commit(*row, *value);
    ApplyEnables(kOnClick, id);
    return true;
}

bool PageModel::Commit(const ValueRow& row, std::int32_t value)
{
    if (row.kind->Write(*this, row, value)) return true;
    ShowSaved(row);
    return false;
}

void PageModel::ShowSaved(const ValueRow& row)
{
    // Showing never writes (check states and selections are set without notifications,
    // texts are pushed under the exchange guard), so a refused write cannot loop.
    row.kind->Show(*this, row, row.kind->Saved(*this, row));
    PushTexts();
}

void PageModel::Layout(std::span<const PageControl> controls)
{
    if (m_laidOut) return;
    for (const PageControl& control : controls) {
        if (control.place.IsSet()) m_controls.MoveControl(control.id, control.place);
    }
    // Without the decoder no control of the page takes the focus or a keystroke.
    if (!DecoderInstalled()) {
        for (const PageControl& control : controls) m_controls.EnableControl(control.id, false);
    }
    m_laidOut = true;
}

bool PageModel::RuleHolds(const EnableRule& rule) const
{
    if (!DecoderInstalled()) return false;
    if (!rule.selected) return m_controls.GetCheck(rule.sourceId) != 0;
    return m_controls.GetComboIndex(rule.sourceId) == Index(*rule.selected);
}

void PageModel::ApplyEnables(EnableMoment moment, int sourceId)
{
    for (const EnableRule& rule : m_rules.enables) {
        if ((rule.moments & moment) == 0 || rule.sourceId != sourceId)
            continue;
        const bool enable = RuleHolds(rule);
        for (int target : rule.targets) m_controls.EnableControl(target, enable);
    }
}

void PageModel::ApplyEnablesOf(EnableMoment moment, std::span<const ValueRow> rows)
{
    for (const EnableRule& rule : m_rules.enables)
        if (FindRow(rows, rule.sourceId) != nullptr) ApplyEnables(moment, rule.sourceId);
}

void PageModel::PushTexts()
{
    m_exchange.Run([this] { m_controls.PushTexts(); });
}

void PageModel::PullTexts()
{
    m_exchange.Run([this] { m_controls.PullTexts(); });
}

void PageModel::PushText(int id)
{
    m_exchange.Run([this, id] { m_controls.PushText(id); });
}

const ValueRow* PageModel::FindRow(std::span<const ValueRow> rows, int id)
{
    for (const ValueRow& row : rows)
        if (row.kind->Owns(row, id)) return &row;
    return nullptr;
}

}  // namespace zelora
