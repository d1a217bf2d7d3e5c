#include "codecs/CheckListView.h"
#include "platform/win/WindowDpi.h"

#include "resources/skin/Skin.h"
#include "platform/win/WideText.h"
#include "platform/text/Text.h"
#include "platform/win/Dialog.h"

#include <cstring>
#include <string>

namespace zelora {
namespace {

using win::Wide;

constexpr int kImageSize = 20;
constexpr int kUncheckedIcon = skin::kRowUnticked;
constexpr int kCheckedIcon = skin::kRowTicked;

// Adds an icon resource's own pixels and mask. The usual way, through an HICON, has the
// image list copy the icon, which loads the resource again and builds the icon twice:
// several milliseconds under Wine, spent before the main window's first paint. False when
// the resource is not a 32-bit icon of the list's size, `side` pixels square.
bool AddIconPixels(HIMAGELIST images, int id, int side)
{
    const HMODULE module = win::ModuleInstance();
    const HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    if (!group) return false;
    auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(module, group)));
    if (!directory) return false;
    const int iconId = ::LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
    const HRSRC icon = ::FindResourceW(module, MAKEINTRESOURCEW(iconId), RT_ICON);
    if (!icon) return false;
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, icon)));
    const DWORD size = ::SizeofResource(module, icon);

    BITMAPINFOHEADER header{};
    if (!data || size < sizeof header) return false;
    std::memcpy(&header, data, sizeof header);
    // An icon's header counts the colour rows and the mask rows together.
    if (header.biSize != sizeof header || header.biWidth != side || header.biHeight != 2 * side ||
        header.biBitCount != 32 || header.biCompression != BI_RGB)
        return false;
    const auto pixels = static_cast<std::size_t>(side);
    const std::size_t colorBytes = pixels * pixels * 4;
    const std::size_t maskBytes = (pixels + 31) / 32 * 4 * pixels;
    if (size < sizeof header + colorBytes + maskBytes) return false;

    struct MonochromeInfo {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    };
    MonochromeInfo info{};
    info.header = header;
    info.header.biHeight = side;  // bottom-up, as the resource stores the rows
    info.header.biSizeImage = 0;
    void* colorBits = nullptr;
    win::UniqueBitmap color(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                               DIB_RGB_COLORS, &colorBits, nullptr, 0));
    info.header.biBitCount = 1;
    info.colors[1] = RGBQUAD{255, 255, 255, 0};
    void* maskBits = nullptr;
    win::UniqueBitmap mask(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                              DIB_RGB_COLORS, &maskBits, nullptr, 0));
    if (!color || !mask) return false;
    std::memcpy(colorBits, data + sizeof header, colorBytes);
    std::memcpy(maskBits, data + sizeof header + colorBytes, maskBytes);
    return ::ImageList_Add(images, color.Get(), mask.Get()) >= 0;
}

}  // namespace

UniqueImageList CreateCheckImages(Dpi dpi)
{
    const int size = dpi(kImageSize);
    UniqueImageList images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 2));
    if (!images) return images;
    for (int id : {kUncheckedIcon, kCheckedIcon}) {
        if (AddIconPixels(images.Get(), id, size)) continue;
        // Between the scales the icons are drawn for, the system makes one from the nearest
        // larger; the image list keeps its own copy of it.
        win::UniqueIcon icon(static_cast<HICON>(::LoadImageW(win::ModuleInstance(),
                                                             MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                             size, size, 0)));
        ::ImageList_AddIcon(images.Get(), icon.Get());
    }
    return images;
}

bool CheckListView::Attach(HWND list)
{
    m_list = list;
    return m_list != nullptr;
}

void CheckListView::SetUp(HIMAGELIST images, std::initializer_list<int> columnWidths,
                          std::initializer_list<std::string_view> titles) const
{
    ListView_SetImageList(m_list, images, LVSIL_SMALL);
    int column = 0;
    const std::string_view* title = titles.begin();
    for (int width : columnWidths) {
        std::wstring text = title != titles.end() ? Wide(*title++) : std::wstring();
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        header.fmt = LVCFMT_LEFT;
        header.cx = win::DpiOf(m_list)(width);
        header.pszText = text.data();
        header.iSubItem = column;
        ListView_InsertColumn(m_list, column, &header);
        ++column;
    }
}

void CheckListView::FollowDpi(HIMAGELIST images, Dpi from, Dpi to) const
{
    ListView_SetImageList(m_list, images, LVSIL_SMALL);
    const HWND header = ListView_GetHeader(m_list);
    const int columns = header ? Header_GetItemCount(header) : 0;
    for (int column = 0; column < columns; ++column)
        ListView_SetColumnWidth(m_list, column, ::MulDiv(ListView_GetColumnWidth(m_list, column), to.Value(), from.Value()));
}

void CheckListView::DeleteAll() const { ListView_DeleteAllItems(m_list); }

void CheckListView::Delete(int item) const { ListView_DeleteItem(m_list, item); }

int CheckListView::Insert(std::string_view text, int image, LPARAM data) const
{
    std::wstring wide = Wide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = wide.data();
    item.iImage = image;
    item.lParam = data;
    return ListView_InsertItem(m_list, &item);
}

void CheckListView::SetSubText(int item, int column, std::string_view text) const
{
    std::wstring wide = Wide(text);
    ListView_SetItemText(m_list, item, column, wide.data());
}

void CheckListView::SetImage(int item, int image) const
{
    LVITEMW change{};
    change.mask = LVIF_IMAGE;
    change.iImage = image;
    Change(item, change);
}

int CheckListView::Count() const { return m_list ? ListView_GetItemCount(m_list) : 0; }

std::optional<LPARAM> CheckListView::Data(int item) const
{
    if (item < 0 || item >= Count()) return std::nullopt;
    LVITEMW query{};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    if (!ListView_GetItem(m_list, &query)) return std::nullopt;
    return query.lParam;
}

void CheckListView::SetData(int item, LPARAM data) const
{
    LVITEMW change{};
    change.mask = LVIF_PARAM;
    change.lParam = data;
    Change(item, change);
}

void CheckListView::Change(int item, LVITEMW& change) const
{
    change.iItem = item;
    ListView_SetItem(m_list, &change);
}

void CheckListView::MoveTo(int x, int y, int width, int height) const
{
    ::MoveWindow(m_list, x, y, width, height, TRUE);
}

void CheckListView::SetColumnWidth(int column, int width) const
{
    ListView_SetColumnWidth(m_list, column, width);
}

int CheckListView::StringWidth(std::string_view text) const
{
    const std::wstring wide = Wide(text);
    return ListView_GetStringWidth(m_list, wide.c_str());
}

int CheckListView::ColumnRoom() const
{
    RECT client{};
    ::GetClientRect(m_list, &client);
    const bool barShown = (::GetWindowLongW(m_list, GWL_STYLE) & WS_VSCROLL) != 0;
    return client.right - (barShown ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
}

int CheckListView::RoomForAllRows() const
{
    RECT client{};
    ::GetClientRect(m_list, &client);
    return Count() <= ListView_GetCountPerPage(m_list) ? client.right : ColumnRoom();
}

void CheckListView::SetRedraw(bool redraw) const
{
    ::SendMessageW(m_list, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) ::InvalidateRect(m_list, nullptr, TRUE);
}

}  // namespace zelora
