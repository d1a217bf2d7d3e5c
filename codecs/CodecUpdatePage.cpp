#include "codecs/CodecUpdatePage.h"

#include "pages/PageFrame.h"
#include "resources/resource.h"

#include <optional>

namespace zelora {
namespace {

constexpr int kNameColumnWidth = 146;
constexpr int kStateColumn = 1;

struct ListPlace {
    int id;
    std::optional<UpdateList> list;  // the fourth list shows nothing
    Place at;                        // client pixels at 96 DPI
    SkinBitmap title;                // drawn above the list
};

constexpr std::array<ListPlace, 4> kListPlaces = {{
    {1002, UpdateList::Video, {10, 55, 180, 135}, {skin::kUpdateVideoTitle, 10, 30}},
    {1003, UpdateList::Audio, {210, 55, 180, 135}, {skin::kUpdateAudioTitle, 210, 30}},
    {1004, UpdateList::Caption, {10, 265, 180, 135}, {skin::kUpdateCaptionTitle, 10, 240}},
    {1005, std::nullopt, {210, 265, 180, 135}, {skin::kUpdateOtherTitle, 210, 240}},
}};

// Rows of two-state images in one unsorted column; they share the page's image list.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                             LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_SHAREIMAGELISTS;

// Made at their pixel places rather than from the template: moving a list view afterwards
// costs a layout each, paid before the main window's first paint. As the dialog manager
// makes a template's bordered control: a client edge, no parent notifications, the page's
// font, in table order.
HWND CreateList(HWND page, const ListPlace& place, const Rect& at)
{
    const HWND list = ::CreateWindowExW(
        WS_EX_NOPARENTNOTIFY | WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", kListStyle, at.left,
        at.top, at.Width(), at.Height(), page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), win::ModuleInstance(), nullptr);
    if (list) ::SendMessageW(list, WM_SETFONT, ::SendMessageW(page, WM_GETFONT, 0, 0), FALSE);
    win::SetAccessibleName(list, skin::WordsOf(place.title.id));  // its title's words
    return list;
}

std::size_t PlaceIndexOf(UpdateList list)
{
    for (std::size_t i = 0; i < kListPlaces.size(); ++i)
        if (kListPlaces[i].list == list) return i;
    return 0;
}

}  // namespace

CodecUpdatePage::CodecUpdatePage(RegistryBackend& registry)
    : Page(IDD_CODEC_UPDATE), m_store(registry), m_selection(m_store)
{
}

BOOL CodecUpdatePage::OnInit()
{
    m_images = CreateCheckImages(WindowDpi());
    for (std::size_t i = 0; i < kListPlaces.size(); ++i) {
        if (!m_lists[i].Attach(CreateList(Hwnd(), kListPlaces[i], Pixels(kListPlaces[i].at)))) {
            ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
            return FALSE;
        }
    }
    return TRUE;
}

void CodecUpdatePage::DpiChanged(Dpi from, Dpi to)
{
    Page::DpiChanged(from, to);
    // The lists take the new images before the old ones they share go.
    UniqueImageList images = CreateCheckImages(to);
    for (std::size_t i = 0; i < kListPlaces.size(); ++i) {
        const Rect at = Pixels(kListPlaces[i].at);
        m_lists[i].FollowDpi(images.Get(), from, to);
        ::MoveWindow(m_lists[i].Hwnd(), at.left, at.top, at.Width(), at.Height(), TRUE);
    }
    m_images = std::move(images);
}

const CheckListView& CodecUpdatePage::ListOf(UpdateList list) const
{
    return m_lists[PlaceIndexOf(list)];
}

void CodecUpdatePage::OnShown()
{
    if (m_prepared) return;
    m_prepared = true;
    FillList(UpdateList::Video);
    FillList(UpdateList::Audio);
    FillList(UpdateList::Caption);
}

void CodecUpdatePage::FillList(UpdateList list)
{
    const CheckListView& view = ListOf(list);
    // Redraw off before the columns and the image list too: each of them otherwise lays the
    // list out again, about 3 ms a list under Wine, before the main window's first paint.
    view.SetRedraw(false);
    view.SetUp(m_images.Get(), {kNameColumnWidth, 0});
    m_selection.Fill(list);
    // Unsorted: item n is row n of the table.
    for (std::size_t row = 0; row < m_selection.RowCount(list); ++row) {
        const bool selected = m_selection.Selected(list, row);
        const int item =
            view.Insert(m_selection.Name(list, row), selected ? 1 : 0, static_cast<LPARAM>(row));
        view.SetSubText(item, kStateColumn, selected ? "1" : "0");
    }
    view.SetRedraw(true);
}

void CodecUpdatePage::ShowState(UpdateList list, int item) const
{
    const bool selected = m_selection.Selected(list, static_cast<std::size_t>(item));
    const CheckListView& view = ListOf(list);
    view.SetSubText(item, kStateColumn, selected ? "1" : "0");
    view.SetImage(item, selected ? 1 : 0);
}

bool CodecUpdatePage::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.code != static_cast<UINT>(NM_CLICK)) return false;
    for (std::size_t i = 0; i < kListPlaces.size(); ++i) {
        const ListPlace& place = kListPlaces[i];
        if (header.hwndFrom != m_lists[i].Hwnd() || header.idFrom != static_cast<UINT_PTR>(place.id))
            continue;
        // A click beside the rows (item -1) writes nothing.
        const int item = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
        if (place.list && item < m_lists[i].Count() && m_selection.Toggle(*place.list, item))
            ShowState(*place.list, item);
        result = 0;
        return true;
    }
    return false;
}

bool CodecUpdatePage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    const Dpi dpi = WindowDpi();
    buffer.Draw(m_skin.Get(skin::kUpdateBanner.id, dpi), 0, 0);  // across the top
    for (const ListPlace& place : kListPlaces) DrawSkin(buffer, {&place.title, 1}, m_skin);
    return true;
}

}  // namespace zelora
