// The yardstick of the start-up benchmark (scripts/bench-startup.sh): the least a program
// of Zelora's kind does before its window is seen. One caption-less 588 x 608 window at
// Zelora's place, painted from an off-screen bitmap drawn once at creation. Built a second
// time with ZELORA_BENCH_COMMON_CONTROLS (and the programs' manifest): the same window after
// loading version 6 of the common controls, which any program with a list view pays for.
#include <windows.h>
#ifdef ZELORA_BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

constexpr int kWidth = 588;
constexpr int kHeight = 608;
constexpr wchar_t kClassName[] = L"ZeloraBenchBareWindow";

HDC g_picture = nullptr;  // memory DC holding the picture for the window's lifetime

void DrawPicture(HWND window)
{
    HDC screen = ::GetDC(window);
    g_picture = ::CreateCompatibleDC(screen);
    ::SelectObject(g_picture, ::CreateCompatibleBitmap(screen, kWidth, kHeight));
    ::ReleaseDC(window, screen);
    // A panel on the left and a content area, as the settings centre's background has.
    const struct {
        RECT area;
        COLORREF colour;
    } fills[] = {
        {{0, 0, kWidth, kHeight}, RGB(238, 240, 243)},
        {{0, 0, 150, kHeight}, RGB(221, 226, 233)},
        {{162, 50, 582, 550}, RGB(233, 233, 233)},
    };
    for (const auto& fill : fills) {
        HBRUSH brush = ::CreateSolidBrush(fill.colour);
        ::FillRect(g_picture, &fill.area, brush);
        ::DeleteObject(brush);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DrawPicture(window);
        return 0;
    case WM_ERASEBKGND: {
        ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, kWidth, kHeight, g_picture, 0, 0, SRCCOPY);
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
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, kClassName, L"ZeloraBench", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                    400, 250, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
