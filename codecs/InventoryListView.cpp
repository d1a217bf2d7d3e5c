#include "codecs/InventoryListView.h"

#include "platform/win/Dialog.h"
#include "platform/win/WideText.h"

#include <algorithm>
#include <utility>

namespace zelora {
namespace {

constexpr std::string_view kTextTitle = "코덱";
constexpr int kTextColumn = 0;
constexpr int kPathColumn = 1;
constexpr int kCheckColumn = 2;
constexpr int kStateColumn = 3;
// The text column holds the tick image and the list's margins around its text.
constexpr int kTextColumnExtra = 20 + 20;
// The state column keeps room for the short states ("등록 안 됨", "파일 없음"); a longer
// one ends in "..." and is read whole in the tip.
constexpr int kStateColumnMinimum = 110;
constexpr int kTipWidth = 560;  // a path is wrapped beyond this
constexpr UINT_PTR kSubclassId = 1;

TTTOOLINFOW ToolOf(HWND list)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    return tool;
}

}  // namespace

InventoryListView::~InventoryListView()
{
    if (m_tip && ::IsWindow(m_view.Hwnd()))
        ::RemoveWindowSubclass(m_view.Hwnd(), &ListProc, kSubclassId);
}

void InventoryListView::SetUp(HIMAGELIST images)
{
    // Fitted once the list has its place and its rows.
    m_view.SetUp(images, {160, 0, 0, 110}, {kTextTitle, "", "", "상태"});
    const HWND list = m_view.Hwnd();
    m_tip.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr,
                                  win::ModuleInstance(), nullptr));
    if (!m_tip) return;
    TTTOOLINFOW tool = ToolOf(list);
    wchar_t none[] = L"";
    tool.lpszText = none;
    ::SendMessageW(m_tip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_tip.Get(), TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    ::SetWindowSubclass(list, &ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK InventoryListView::ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self)
{
    auto& view = *reinterpret_cast<InventoryListView*>(self);
    if (msg == WM_MOUSEMOVE) {
        view.Hover({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    } else if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(list, &ListProc, kSubclassId);
        view.m_tip.Reset();
    }
    return ::DefSubclassProc(list, msg, wParam, lParam);
}

void InventoryListView::Hover(POINT p)
{
    LVHITTESTINFO hit{};
    hit.pt = p;
    const int item = ListView_HitTest(m_view.Hwnd(), &hit);
    if (item == m_hovered) return;
    m_hovered = item;
    // Moving from row to row changes no tool, so the tip shown is closed and given the new
    // row's text; an empty text shows none.
    ::SendMessageW(m_tip.Get(), TTM_POP, 0, 0);
    const bool known = item >= 0 && static_cast<std::size_t>(item) < m_tips.size();
    SetTip(known ? m_tips[static_cast<std::size_t>(item)] : std::wstring());
}

void InventoryListView::SetTip(const std::wstring& text) const
{
    if (!m_tip) return;
    TTTOOLINFOW tool = ToolOf(m_view.Hwnd());
    std::wstring copy = text;
    tool.lpszText = copy.data();
    ::SendMessageW(m_tip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void InventoryListView::FitColumns(const std::vector<InventoryRow>& rows) const
{
    int widest = m_view.StringWidth(kTextTitle);
    for (const InventoryRow& row : rows) widest = std::max(widest, m_view.StringWidth(row.displayText));
    const int room = m_view.ColumnRoom();
    const int text = std::max(0, std::min(widest + kTextColumnExtra, room - kStateColumnMinimum));
    m_view.SetColumnWidth(kTextColumn, text);
    m_view.SetColumnWidth(kStateColumn, std::max(0, room - text));
}

void InventoryListView::Insert(const InventoryRow& row, std::size_t index) const
{
    const int item = m_view.Insert(row.displayText, CheckImage(row), static_cast<LPARAM>(index));
    if (item < 0) return;
    m_view.SetSubText(item, kPathColumn, row.path);
    m_view.SetSubText(item, kCheckColumn, row.checkMark);
    m_view.SetSubText(item, kStateColumn, HealthText(row));
}

void InventoryListView::Fill(std::vector<InventoryRow>& rows)
{
    m_view.SetRedraw(false);
    m_view.DeleteAll();
    Append(rows, 0);
    m_view.SetRedraw(true);
}

void InventoryListView::Append(std::vector<InventoryRow>& rows, std::size_t first)
{
    for (std::size_t i = first; i < rows.size(); ++i) Insert(rows[i], i);
    TakeOrder(rows);
    FitColumns(rows);
    ShowRows(rows);
}

void InventoryListView::Remove(const std::vector<bool>& gone) const
{
    for (int item = m_view.Count(); item-- > 0;)
        if (static_cast<std::size_t>(item) < gone.size() && gone[static_cast<std::size_t>(item)])
            m_view.Delete(item);
    // The others keep their order, as their rows did.
    for (int item = 0; item < m_view.Count(); ++item) m_view.SetData(item, item);
}

void InventoryListView::ShowRows(const std::vector<InventoryRow>& rows)
{
    const int count = std::min(m_view.Count(), static_cast<int>(rows.size()));
    m_tips.assign(static_cast<std::size_t>(count), std::wstring());
    for (int item = 0; item < count; ++item) {
        const InventoryRow& row = rows[static_cast<std::size_t>(item)];
        ShowCheck(item, row);
        m_view.SetSubText(item, kStateColumn, HealthText(row));
        m_tips[static_cast<std::size_t>(item)] = win::Wide(RowTipText(row));
    }
    // The row under the mouse may have changed: the next move finds it again.
    m_hovered = -1;
    SetTip({});
}

void InventoryListView::TakeOrder(std::vector<InventoryRow>& rows) const
{
    // A row the list could not take stays, unseen, at the end.
    std::vector<InventoryRow> shown;
    shown.reserve(rows.size());
    std::vector<bool> taken(rows.size(), false);
    const int count = m_view.Count();
    for (int item = 0; item < count; ++item) {
        const auto data = m_view.Data(item);
        if (!data || *data < 0 || static_cast<std::size_t>(*data) >= rows.size() ||
            taken[static_cast<std::size_t>(*data)])
            continue;
        const auto index = static_cast<std::size_t>(*data);
        taken[index] = true;
        m_view.SetData(item, static_cast<LPARAM>(shown.size()));
        shown.push_back(std::move(rows[index]));
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!taken[i]) shown.push_back(std::move(rows[i]));
    rows = std::move(shown);
}

std::optional<std::size_t> InventoryListView::RowOf(int item, std::size_t rowCount) const
{
    const auto data = m_view.Data(item);
    if (!data || *data < 0 || static_cast<std::size_t>(*data) >= rowCount) return std::nullopt;
    return static_cast<std::size_t>(*data);
}

void InventoryListView::ShowCheck(int item, const InventoryRow& row) const
{
    m_view.SetImage(item, CheckImage(row));
    m_view.SetSubText(item, kCheckColumn, row.checkMark);
}

}  // namespace zelora
