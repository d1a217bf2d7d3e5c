// The yardstick of the start-up benchmark (scripts/bench-startup.sh): the least a program
// of Zelora's kind does before its window is seen. One caption-less 588 x 608 window (at 96 DPI; as
// Zelora scales it at others) at
// Zelora's place, painted from an off-screen bitmap drawn once at creation. Built a second
// time with ZELORA_BENCH_COMMON_CONTROLS (and the programs' manifest): the same window after
// loading version 6 of the common controls, which any program with a list view pays for.
// And a third time with ZELORA_BENCH_SAME_CONTROLS as well: the child windows Zelora shows
// at its first paint, made the cheapest way (six owner-drawn buttons, a page, four report
// lists with a shared image list and the pages' font, the sixteen rows over three of them),
// and nothing else: no templates, pictures or registry. What Zelora takes beyond this is its
// own code's.
#include <windows.h>
#ifdef ZELORA_BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif
#ifdef ZELORA_BENCH_SAME_CONTROLS
#include <initializer_list>
#endif

namespace {

constexpr int kBaseWidth = 588;
constexpr int kBaseHeight = 608;
constexpr wchar_t kClassName[] = L"ZeloraBenchBareWindow";

// At another DPI than 96 (LogPixels), everything is as large as Zelora makes it there, by
// the same rounding.
int g_dpi = 96;
int S(int value) { return (value * g_dpi + 48) / 96; }
RECT S(RECT r) { return {S(r.left), S(r.top), S(r.right), S(r.bottom)}; }
int g_width = kBaseWidth, g_height = kBaseHeight;

HDC g_picture = nullptr;  // memory DC holding the picture for the window's lifetime

void DrawPicture(HWND window)
{
    HDC screen = ::GetDC(window);
    g_picture = ::CreateCompatibleDC(screen);
    ::SelectObject(g_picture, ::CreateCompatibleBitmap(screen, g_width, g_height));
    ::ReleaseDC(window, screen);
    // A panel on the left and a content area, as the settings centre's background has.
    const struct {
        RECT area;
        COLORREF colour;
    } fills[] = {
        {{0, 0, kBaseWidth, kBaseHeight}, RGB(238, 240, 243)},
        {{0, 0, 150, kBaseHeight}, RGB(221, 226, 233)},
        {{162, 50, 582, 550}, RGB(233, 233, 233)},
    };
    for (const auto& fill : fills) {
        HBRUSH brush = ::CreateSolidBrush(fill.colour);
        const RECT area = S(fill.area);
        ::FillRect(g_picture, &area, brush);
        ::DeleteObject(brush);
    }
}

#ifdef ZELORA_BENCH_SAME_CONTROLS
HWND MakeChild(const wchar_t* className, DWORD style, DWORD exStyle, RECT base, HWND parent, int id)
{
    const RECT place = S(base);
    return ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, place.left,
                             place.top, place.right - place.left, place.bottom - place.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// Two 20 x 20 images, as the tick column's.
HIMAGELIST MakeImages()
{
    const int size = S(20);
    HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 2);
    HDC screen = ::GetDC(nullptr);
    for (COLORREF colour : {RGB(255, 255, 255), RGB(40, 120, 40)}) {
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
        HDC dc = ::CreateCompatibleDC(screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        RECT all{0, 0, size, size};
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::ImageList_Add(images, bitmap, nullptr);
        ::DeleteObject(bitmap);
    }
    ::ReleaseDC(nullptr, screen);
    return images;
}

void MakeControls(HWND window)
{
    for (int i = 0; i < 6; ++i)
        MakeChild(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0, {25, 70 + 28 * i, 138, 88 + 28 * i}, window,
                  1000 + i);
    HWND page = MakeChild(L"STATIC", 0, WS_EX_CONTROLPARENT, {162, 50, 582, 550}, window, 1100);
    HIMAGELIST images = MakeImages();
    // The pages' template font, 9 points of Gulim, as the dialog manager makes it.
    HFONT font = ::CreateFontW(-S(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                               0, L"\uAD74\uB9BC");
    const RECT places[] = {{10, 55, 190, 190}, {210, 55, 390, 190}, {10, 265, 190, 400}, {210, 265, 390, 400}};
    const int rows[] = {8, 6, 2, 0};  // the demo pack's video, audio and subtitle rows
    for (int n = 0; n < 4; ++n) {
        HWND list = MakeChild(WC_LISTVIEWW,
                              WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                  LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                              WS_EX_NOPARENTNOTIFY | WS_EX_CLIENTEDGE, places[n], page, 1002 + n);
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!rows[n]) continue;
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ListView_SetImageList(list, images, LVSIL_SMALL);
        int index = 0;
        for (int width : {146, 0}) {
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH | LVCF_SUBITEM;
            column.cx = S(width);
            column.iSubItem = index;
            ListView_InsertColumn(list, index++, &column);
        }
        for (int row = 0; row < rows[n]; ++row) {
            wchar_t text[] = L"Decoder 0";
            text[8] = static_cast<wchar_t>(L'0' + row);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = row;
            item.pszText = text;
            item.iImage = row % 2;
            ListView_InsertItem(list, &item);
            ListView_SetItemText(list, row, 1, const_cast<wchar_t*>(row % 2 ? L"1" : L"0"));
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    }
}

void DrawButton(const DRAWITEMSTRUCT& item)
{
    HBRUSH brush = ::CreateSolidBrush(RGB(200, 205, 215));
    ::FillRect(item.hDC, &item.rcItem, brush);
    ::DeleteObject(brush);
}
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DrawPicture(window);
#ifdef ZELORA_BENCH_SAME_CONTROLS
        MakeControls(window);
#endif
        return 0;
#ifdef ZELORA_BENCH_SAME_CONTROLS
    case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
#endif
    case WM_ERASEBKGND: {
        ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, g_width, g_height, g_picture, 0, 0, SRCCOPY);
        return 1;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
#ifdef ZELORA_BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
#endif
    // As Zelora: drawn for the screen's DPI by the program itself.
    ::SetProcessDPIAware();
    if (HDC screen = ::GetDC(nullptr)) {
        g_dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    g_width = S(kBaseWidth);
    g_height = S(kBaseHeight);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, kClassName, L"ZeloraBench", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                    400, 250, g_width, g_height, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
