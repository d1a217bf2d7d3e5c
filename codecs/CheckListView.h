#pragma once
// A report list view whose rows show a two-state image, not ticked or ticked, from one image
// list that several lists share: the rows of both codec pages. Non-owning, like the other
// control wrappers: the dialog owns the control, the page owns the image list.

#include "platform/ui/Dpi.h"
#include "platform/win/UniqueHandle.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <string_view>

namespace zelora {

inline void DestroyImageList(HIMAGELIST images) { ::ImageList_Destroy(images); }
using UniqueImageList = win::UniqueHandle<HIMAGELIST, DestroyImageList>;

// Image 0 = the unticked row icon, image 1 = the ticked one, 20 x 20 at 96 DPI (scaled for
// `dpi`) with mask. The lists that show it must have LVS_SHAREIMAGELISTS, or each would
// destroy it with itself.
UniqueImageList CreateCheckImages(Dpi dpi = Dpi());

class CheckListView {
public:
    // False when there is no such control.
    bool Attach(HWND list);
    HWND Hwnd() const { return m_list; }

    // Makes `images` the small-image list and adds left-aligned columns (widths at 96 DPI,
    // scaled for the list's), titled in order by `titles` (UTF-8) and without a title past
    // them.
    void SetUp(HIMAGELIST images, std::initializer_list<int> columnWidths,
               std::initializer_list<std::string_view> titles = {}) const;
    // The list's window moved from `from` to `to` DPI: `images` shown, the columns as wide
    // again for the new DPI.
    void FollowDpi(HIMAGELIST images, Dpi from, Dpi to) const;

    void DeleteAll() const;
    void Delete(int item) const;
    // Returns the new item's index (-1 on failure); a sorting list puts it in its place.
    int Insert(std::string_view text, int image, LPARAM data) const;
    void SetSubText(int item, int column, std::string_view text) const;
    void SetImage(int item, int image) const;

    int Count() const;
    // The data given at insertion; nothing for an item that does not exist.
    std::optional<LPARAM> Data(int item) const;
    void SetData(int item, LPARAM data) const;

    void MoveTo(int x, int y, int width, int height) const;
    void SetColumnWidth(int column, int width) const;
    // Pixels `text` takes in the list's font.
    int StringWidth(std::string_view text) const;
    // The width its columns may fill without a horizontal scroll bar, whether or not the
    // vertical one is on show (the room for it is kept, so rows added later need none).
    int ColumnRoom() const;
    // The whole client width when every row is in view (a list whose rows are all there
    // needs no room for a bar), else ColumnRoom.
    int RoomForAllRows() const;
    // Suspends drawing while many rows change.
    void SetRedraw(bool redraw) const;

private:
    void Change(int item, LVITEMW& change) const;  // one item attribute, by its mask

    HWND m_list = nullptr;
};

}  // namespace zelora
