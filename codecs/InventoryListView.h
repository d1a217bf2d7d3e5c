#pragma once
// One list of the Codec Connect page. The list sorts its rows itself; after every change
// below the rows vector follows the list's order, so item i shows rows[i] and "last to
// first" is the list's. Only the rows that change are touched, so the selection and the
// scroll position stay where the user left them.
//
// A row's state can be longer than its column: resting the mouse on the row shows it whole
// in a tip.

#include "codecs/CheckListView.h"
#include "codecs/FilterInventory.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zelora {

inline void DestroyWindowHandle(HWND window) { ::DestroyWindow(window); }
using UniqueWindow = win::UniqueHandle<HWND, DestroyWindowHandle>;

class InventoryListView {
public:
    InventoryListView() = default;
    // The list's mouse reaches the view through its address.
    InventoryListView(const InventoryListView&) = delete;
    InventoryListView& operator=(const InventoryListView&) = delete;
    ~InventoryListView();

    bool Attach(HWND list) { return m_view.Attach(list); }
    HWND Hwnd() const { return m_view.Hwnd(); }

    // Image list, the four columns (display text, path and check mark hidden, state) and
    // the rows' tip.
    void SetUp(HIMAGELIST images);
    // Every row, into the empty list.
    void Fill(std::vector<InventoryRow>& rows);
    // Rows from `first` on were appended to `rows`: they join the list in their places.
    void Append(std::vector<InventoryRow>& rows, std::size_t first);
    // The items whose `gone` flag is set left `rows` (which kept the others in order).
    void Remove(const std::vector<bool>& gone) const;
    // Every item's check mark, image, state and tip from its row.
    void ShowRows(const std::vector<InventoryRow>& rows);
    // The row a list item shows; nothing for a click that hit no row.
    std::optional<std::size_t> RowOf(int item, std::size_t rowCount) const;
    void ShowCheck(int item, const InventoryRow& row) const;
    void MoveTo(int x, int y, int width, int height) const { m_view.MoveTo(x, y, width, height); }
    // The text column as wide as its widest row, the state column the rest of the list's
    // width: no horizontal scroll bar.
    void FitColumns(const std::vector<InventoryRow>& rows) const;

private:
    void Insert(const InventoryRow& row, std::size_t index) const;
    // Reorders `rows` to the list's order and renumbers the items to match.
    void TakeOrder(std::vector<InventoryRow>& rows) const;
    // The tip follows the row under the mouse.
    void Hover(POINT p);
    void SetTip(const std::wstring& text) const;
    static LRESULT CALLBACK ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    CheckListView m_view;
    UniqueWindow m_tip;
    std::vector<std::wstring> m_tips;  // per item, in the list's order
    int m_hovered = -1;
};

}  // namespace zelora
