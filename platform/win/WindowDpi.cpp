#include "platform/win/WindowDpi.h"

namespace zelora::win {
namespace {

constexpr wchar_t kDpiProperty[] = L"ZeloraDpi";

// Present from Windows 10 (1607 and 1703): looked up, so Windows 7 and 8 start too. The
// program's only lookups; each caller spells the function's exact type (WINAPI included)
// beside its name, since no compiler can check it.
template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)))  // newer-Windows lookup
                  : nullptr;
}

int MulDivRounded(int value, int to, int from)
{
    return from > 0 ? ::MulDiv(value, to, from) : value;
}

}  // namespace

void DeclareDpiAwareness()
{
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    using SetAwareFn = BOOL(WINAPI*)();
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (const auto setContext = User32Function<SetContextFn>("SetProcessDpiAwarenessContext"))
        if (setContext(perMonitorV2) || setContext(perMonitor)) return;
    if (const auto setAware = User32Function<SetAwareFn>("SetProcessDPIAware")) setAware();
}

Dpi SystemDpiOf(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return Dpi(static_cast<int>(dpi));
    }
    const WindowDc screen(nullptr);
    return Dpi(screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : kBaseDpi);
}

Dpi DpiOf(HWND window)
{
    const HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (root) {
        if (const auto recorded = reinterpret_cast<INT_PTR>(::GetPropW(root, kDpiProperty)))
            return Dpi(static_cast<int>(recorded));
    }
    return SystemDpiOf(window);
}

int MetricAt96(int index)
{
    using MetricForDpiFn = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = User32Function<MetricForDpiFn>("GetSystemMetricsForDpi");
    if (metricForDpi) return metricForDpi(index, kBaseDpi);
    return SystemDpiOf(nullptr).Unscale(::GetSystemMetrics(index));
}

void RecordDpi(HWND topLevel, Dpi dpi)
{
    ::SetPropW(topLevel, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi.Value())));
}

void TakeOverDpiChanges(HWND dialog)
{
    using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    static const auto setBehavior = User32Function<SetBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehavior) setBehavior(dialog, kDisableAll, kDisableAll);
}

UniqueFont FontForDpi(HFONT font, Dpi from, Dpi to)
{
    LOGFONTW description{};
    if (!font || !::GetObjectW(font, sizeof description, &description)) return {};
    description.lfHeight = MulDivRounded(description.lfHeight, to.Value(), from.Value());
    description.lfWidth = MulDivRounded(description.lfWidth, to.Value(), from.Value());
    return UniqueFont(::CreateFontIndirectW(&description));
}

void RescaleChildren(HWND parent, Dpi from, Dpi to, HFONT font)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        const auto scale = [&](LONG v) { return MulDivRounded(v, to.Value(), from.Value()); };
        const int left = scale(r.left), top = scale(r.top);
        // A combo box is sized with its dropped list, which its window rectangle leaves out.
        wchar_t kind[16]{};
        RECT dropped{};
        if (::GetClassNameW(child, kind, 16) && ::lstrcmpiW(kind, L"ComboBox") == 0 &&
            ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            r.bottom = r.top + (dropped.bottom - dropped.top);
        if (font) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ::SetWindowPos(child, nullptr, left, top, scale(r.right) - left, scale(r.bottom) - top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace zelora::win
