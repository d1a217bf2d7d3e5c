#pragma once
// One list of the Codec Connect page. The list sorts its rows itself; after every change
// below the rows vector follows the list's order, so item i shows rows[i] and "last to
// first" is the list's. Only the rows that change are touched, so the selection and the
// scroll position stay where the user left them.

#include "codecs/CheckListView.h"
#include "codecs/FilterInventory.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zelora {

class InventoryListView {
public:
    bool Attach(HWND list) { return m_view.Attach(list); }
    HWND Hwnd() const { return m_view.Hwnd(); }

    // Image list and the four columns: display text, path (hidden), check mark (hidden),
    // state.
    void SetUp(HIMAGELIST images) const;
    // Every row, into the empty list.
    void Fill(std::vector<InventoryRow>& rows) const;
    // Rows from `first` on were appended to `rows`: they join the list in their places.
    void Append(std::vector<InventoryRow>& rows, std::size_t first) const;
    // The items whose `gone` flag is set left `rows` (which kept the others in order).
    void Remove(const std::vector<bool>& gone) const;
    // Every item's check mark and image from its row.
    void ShowChecks(const std::vector<InventoryRow>& rows) const;
    // The row a list item shows; nothing for a click that hit no row.
    std::optional<std::size_t> RowOf(int item, std::size_t rowCount) const;
    void ShowCheck(int item, const InventoryRow& row) const;
    void MoveTo(int x, int y, int width, int height) const { m_view.MoveTo(x, y, width, height); }

private:
    void Insert(const InventoryRow& row, std::size_t index) const;
    // Reorders `rows` to the list's order and renumbers the items to match.
    void TakeOrder(std::vector<InventoryRow>& rows) const;

    CheckListView m_view;
};

}  // namespace zelora
