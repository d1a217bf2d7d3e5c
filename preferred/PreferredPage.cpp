#include "preferred/PreferredPage.h"

#include "codecs/CheckListView.h"
#include "platform/win/Notices.h"
#include "platform/win/WideText.h"
#include "preferred/ColumnShare.h"
#include "resources/resource.h"

#include <algorithm>
#include <array>

namespace zelora {
namespace {

using win::Wide;

// A list row that is a group's heading, not a format.
constexpr LPARAM kHeadingRow = -1;

struct ControlPlace {
    int id;
    Place place;
};
// Exact pixels: the template's dialog units are no whole number of pixels.
constexpr ControlPlace kPlaces[] = {
    {IDC_PREFERRED_LIST, {IDC_PREFERRED_LIST_AT}},
    {IDC_PREFERRED_LABEL32, {IDC_PREFERRED_LABEL32_AT}},
    {IDC_PREFERRED_CHOICE32, {IDC_PREFERRED_CHOICE32_AT}},
    {IDC_PREFERRED_LABEL64, {IDC_PREFERRED_LABEL64_AT}},
    {IDC_PREFERRED_CHOICE64, {IDC_PREFERRED_CHOICE64_AT}},
    {IDC_PREFERRED_APPLY, {IDC_PREFERRED_APPLY_AT}},
    {IDC_PREFERRED_RESTORE, {IDC_PREFERRED_RESTORE_AT}},
    {IDC_PREFERRED_NOTE, {IDC_PREFERRED_NOTE_AT}},
};

// The list's columns: the format, then what each view's players and Media Foundation use.
constexpr int kFormatColumn = 0, kMediaFoundationColumn = 3;
// Short titles, so the list's width goes to the decoders' names.
constexpr std::array<std::string_view, 4> kColumnTitles = {"형식", "32비트", "64비트", "MF"};
// What a report list adds around a column's text: its margins, and the first column's indent.
constexpr int kCellPadding = 12, kFirstCellPadding = 6;
constexpr int ViewColumn(PlayerView view) { return view == PlayerView::Bits32 ? 1 : 2; }

constexpr int ChoiceOf(PlayerView view)
{
    return view == PlayerView::Bits32 ? IDC_PREFERRED_CHOICE32 : IDC_PREFERRED_CHOICE64;
}

constexpr std::wstring_view kMediaFoundationNote =
    L"MF(Media Foundation) 열은 읽기 전용입니다. 그 플레이어는 DirectShow의 우선 코덱을 쓰지 않습니다.";

constexpr std::string_view kNo64BitView = "64비트 Windows가 아님 (64비트 플레이어 없음)";

std::string_view GroupName(MediaGroup group) { return group == MediaGroup::Video ? "비디오" : "오디오"; }

std::string CellText(const FormatRow& row, PlayerView view)
{
    const auto& cell = row.views[static_cast<std::size_t>(view)];
    return cell ? ChoiceText(cell->current) : std::string(kNo64BitView);
}

// The Media Foundation column: the same in both views' players, read from the first there.
std::string MediaFoundationText(const FormatRow& row)
{
    for (const auto& cell : row.views)
        if (cell) return cell->mediaFoundation;
    return {};
}

void Select(const CheckListView& list, int item)
{
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list.Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

// The selected format's cells in full (a dead entry's mark is wider than its column).
std::string NoteOf(const FormatRow& row)
{
    std::string note(row.format->name);
    for (PlayerView view : kPlayerViews)
        note += "\r\n" + std::string(ViewName(view)) + ": " + CellText(row, view);
    return note;
}

}  // namespace

PreferredPage::PreferredPage(const RegistryViews& views)
    : Page(IDD_PREFERRED), m_views(views), m_changes(views)
{
}

BOOL PreferredPage::OnInit()
{
    m_staticBrush.Reset(::CreateSolidBrush(kPageBackgroundColor));
    PlaceControls();
    CheckListView list;
    if (!list.Attach(Item(IDC_PREFERRED_LIST))) return TRUE;
    ::SendMessageW(list.Hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                   LVS_EX_FULLROWSELECT);
    list.SetUp(nullptr, {124, 96, 96, 88},
               {kColumnTitles[0], kColumnTitles[1], kColumnTitles[2], kColumnTitles[3]});
    return TRUE;
}

void PreferredPage::PlaceControls()
{
    for (const ControlPlace& control : kPlaces) {
        const Rect at = Pixels(control.place);
        ::MoveWindow(Item(control.id), at.left, at.top, at.Width(), at.Height(), FALSE);
    }
}

void PreferredPage::DpiChanged(Dpi from, Dpi to)
{
    Page::DpiChanged(from, to);
    PlaceControls();
    CheckListView list;
    if (!list.Attach(Item(IDC_PREFERRED_LIST))) return;
    list.FollowDpi(nullptr, from, to);
    if (!m_rows.empty()) FitColumns(list);  // the texts' widths in the new font
}

void PreferredPage::OnShown()
{
    if (m_filled) return;
    m_filled = true;
    Fill();
}

void PreferredPage::Fill()
{
    // A refill after a change keeps the format in view selected.
    const FormatRow* selected = SelectedRow();
    const MediaFormat* keep = selected ? selected->format : nullptr;
    m_rows = ReadPreferredDecoders(m_views, m_files);
    CheckListView list;
    if (!list.Attach(Item(IDC_PREFERRED_LIST))) return;
    list.SetRedraw(false);
    list.DeleteAll();
    std::optional<MediaGroup> group;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const FormatRow& row = m_rows[i];
        if (group != row.format->group) {
            group = row.format->group;
            list.Insert("[" + std::string(GroupName(*group)) + "]", 0, kHeadingRow);
        }
        const int item = list.Insert(std::string(row.format->name), 0, static_cast<LPARAM>(i));
        for (PlayerView view : kPlayerViews) list.SetSubText(item, ViewColumn(view), CellText(row, view));
        list.SetSubText(item, kMediaFoundationColumn, MediaFoundationText(row));
        if (row.format == keep) Select(list, item);
    }
    FitColumns(list);
    list.SetRedraw(true);
    ShowChoices();
}

// Each column as wide as its widest text when the list's width allows; the format names
// always whole. A text cut short is shown whole in the note below the list.
void PreferredPage::FitColumns(const CheckListView& list) const
{
    const Dpi dpi = WindowDpi();
    const int cellPadding = dpi(kCellPadding), firstCellPadding = dpi(kFirstCellPadding);
    std::array<ColumnNeed, kColumnTitles.size()> needs{};
    for (std::size_t column = 0; column < needs.size(); ++column) {
        const int title = list.StringWidth(kColumnTitles[column]) + cellPadding;
        needs[column] = {title, title, column == kFormatColumn};
    }
    const auto widen = [&](int column, std::string_view text, int padding) {
        ColumnNeed& need = needs[static_cast<std::size_t>(column)];
        need.widest = std::max(need.widest, list.StringWidth(text) + padding);
    };
    for (const FormatRow& row : m_rows) {
        widen(kFormatColumn, row.format->name, cellPadding + firstCellPadding);
        for (PlayerView view : kPlayerViews) widen(ViewColumn(view), CellText(row, view), cellPadding);
        widen(kMediaFoundationColumn, MediaFoundationText(row), cellPadding);
    }
    const std::vector<int> widths = ShareColumns(needs, list.RoomForAllRows());
    for (std::size_t column = 0; column < widths.size(); ++column)
        list.SetColumnWidth(static_cast<int>(column), widths[column]);
}

const FormatRow* PreferredPage::SelectedRow() const
{
    CheckListView list;
    if (!list.Attach(Item(IDC_PREFERRED_LIST))) return nullptr;
    const int item = static_cast<int>(
        ::SendMessageW(list.Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const std::optional<LPARAM> index = list.Data(item);
    if (!index || *index < 0 || static_cast<std::size_t>(*index) >= m_rows.size()) return nullptr;
    return &m_rows[static_cast<std::size_t>(*index)];
}

void PreferredPage::ShowChoices()
{
    const FormatRow* row = SelectedRow();
    if (row) MarkPackDecoders(m_views, m_rows[static_cast<std::size_t>(row - m_rows.data())]);
    for (PlayerView view : kPlayerViews) FillChoice(view, row);
    ::EnableWindow(Item(IDC_PREFERRED_APPLY), row != nullptr);
    ::SetDlgItemTextW(Hwnd(), IDC_PREFERRED_NOTE,
                      row ? Wide(NoteOf(*row)).c_str() : std::wstring(kMediaFoundationNote).c_str());
}

// The candidates of the selected format in `view`, the one in use selected (none when the
// values are mixed, dead or unknown: a choice must be made).
void PreferredPage::FillChoice(PlayerView view, const FormatRow* row)
{
    const HWND box = Item(ChoiceOf(view));
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    const auto* cell = row ? &row->views[static_cast<std::size_t>(view)] : nullptr;
    ::EnableWindow(box, cell && cell->has_value());
    if (!cell || !*cell) {
        if (row) ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(kNo64BitView).c_str()));
        return;
    }
    const Choice& current = (*cell)->current;
    for (const Candidate& candidate : (*cell)->candidates) {
        const LRESULT at = ::SendMessageW(box, CB_ADDSTRING, 0,
                                          reinterpret_cast<LPARAM>(Wide(CandidateText(candidate)).c_str()));
        const bool inUse = candidate.clsid.empty() ? current.state == ChoiceState::WindowsDefault
                                                   : current.state == ChoiceState::Filter &&
                                                         current.clsid == candidate.clsid;
        if (inUse) ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
}

void PreferredPage::Tell(const std::string& text, win::Notice notice) const
{
    win::Tell(Hwnd(), Wide(text).c_str(), notice);
}

// Each view whose drop list names another decoder than the one in use is written, in
// view order; the first failure stops, and is told.
void PreferredPage::Apply()
{
    const FormatRow* row = SelectedRow();
    if (!row) return;
    bool changed = false;
    for (PlayerView view : kPlayerViews) {
        const auto& cell = row->views[static_cast<std::size_t>(view)];
        const LRESULT chosen = ::SendMessageW(Item(ChoiceOf(view)), CB_GETCURSEL, 0, 0);
        if (!cell || chosen < 0 || static_cast<std::size_t>(chosen) >= cell->candidates.size()) continue;
        const std::string& clsid = cell->candidates[static_cast<std::size_t>(chosen)].clsid;
        const bool same = clsid.empty() ? cell->current.state == ChoiceState::WindowsDefault
                                        : cell->current.state == ChoiceState::Filter &&
                                              cell->current.clsid == clsid;
        if (same) continue;
        const ChangeResult result = m_changes.Apply(view, *row->format, clsid);
        changed = true;
        if (!result.done) {
            Tell(result.message, win::Notice::Warning);
            break;
        }
    }
    if (changed) Fill();
}

void PreferredPage::Restore()
{
    if (!m_changes.HasAnyBackup()) {
        Tell("Zelora가 바꾼 우선 코덱이 없습니다. 되돌릴 것이 없습니다.", win::Notice::Information);
        return;
    }
    const ChangeResult result = m_changes.RestoreAll();
    if (!result.done) Tell(result.message, win::Notice::Warning);
    Fill();
}

bool PreferredPage::OnCommand(int id, int code, HWND /*control*/)
{
    if (code != BN_CLICKED) return false;
    if (id == IDC_PREFERRED_APPLY) Apply();
    else if (id == IDC_PREFERRED_RESTORE) Restore();
    else return false;
    return true;
}

bool PreferredPage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_PREFERRED_LIST || header.code != static_cast<UINT>(LVN_ITEMCHANGED))
        return false;
    const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
        ShowChoices();
    result = 0;
    return true;
}

bool PreferredPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    buffer.Draw(m_skin.Get(skin::kPreferredBanner.id, WindowDpi()), 0, 0);
    return true;
}

HBRUSH PreferredPage::OnControlColor(HDC dc, HWND, UINT msg)
{
    if (msg != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, kPageBackgroundColor);
    return m_staticBrush.Get();
}

}  // namespace zelora
