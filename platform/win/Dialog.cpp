#include "platform/win/Dialog.h"

#include <windowsx.h>

#include <algorithm>

namespace zelora::win {

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

void CenterOnOwner(HWND window)
{
    RECT box{};
    if (!::GetWindowRect(window, &box)) return;
    const HWND owner = ::GetWindow(window, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST),
                      &monitor);
    const RECT& work = monitor.rcWork;
    RECT around = work;
    if (owner && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    LONG x = around.left + (around.right - around.left - width) / 2;
    LONG y = around.top + (around.bottom - around.top - height) / 2;
    // Wholly on the screen, its caption first when it cannot fit.
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
// Marks our dialogs' windows (DWLP_USER alone could be any dialog's, a message box's say).
constexpr wchar_t kSelfProperty[] = L"ZeloraDialog";
}  // namespace

Dialog* Dialog::FromTopLevelOf(HWND hwnd)
{
    HWND root = hwnd ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
    return root ? static_cast<Dialog*>(::GetPropW(root, kSelfProperty)) : nullptr;
}

Dialog* Dialog::FromWindow(HWND hwnd)
{
    return hwnd ? static_cast<Dialog*>(::GetPropW(hwnd, kSelfProperty)) : nullptr;
}

void Dialog::FocusPart(int part)
{
    if (!m_parts || !m_hwnd) return;
    m_parts->SetFocusedPart(part);
    if (::GetFocus() != m_hwnd) ::SetFocus(m_hwnd);
    if (part >= 0) NotifyAccessible(EVENT_OBJECT_FOCUS, part);
}

bool Dialog::HandlePartFocus(UINT msg)
{
    if (msg == WM_SETFOCUS) return m_parts->FocusedPart() >= 0;
    if (msg == WM_KILLFOCUS) m_parts->SetFocusedPart(-1);
    return false;
}

Dialog::~Dialog()
{
    if (m_hwnd && ::IsWindow(m_hwnd)) {
        ::RemovePropW(m_hwnd, kSelfProperty);
        ::SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        ::DestroyWindow(m_hwnd);
    }
}

HWND Dialog::CreateFromTemplate(HWND parent)
{
    ::CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(m_templateId), parent, &DialogProc,
                         reinterpret_cast<LPARAM>(this));
    return m_hwnd;
}

void Dialog::FollowDpi(Dpi from, Dpi to)
{
    if (!m_hwnd || from == to) return;
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    UniqueFont scaled = FontForDpi(font, from, to);
    RescaleChildren(m_hwnd, from, to, scaled ? scaled.Get() : font);
    if (!scaled) return;
    ::SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), FALSE);
    m_dpiFont = std::move(scaled);  // after the children took it: the old one may be freed
}

void Dialog::SetResult(LRESULT result) { ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result); }

void Dialog::SetAccessibleSource(AccessibleSource& source) { m_access = std::make_unique<AccessibleBridge>(source); }

void Dialog::NotifyAccessible(DWORD event, int part)
{
    if (m_access && m_hwnd) m_access->Notify(m_hwnd, event, part);
}

INT_PTR Dialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInit();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
        SetResult(result);
        return TRUE;
    }
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_ERASEBKGND:
        if (!OnEraseBackground(reinterpret_cast<HDC>(wParam))) return FALSE;
        SetResult(TRUE);
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(
            OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), msg));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return OnMouse(msg, wParam, p);
    }
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam & 0xFFF0));
    case WM_DPICHANGED: {
        const Dpi from = WindowDpi(), to(LOWORD(wParam));
        if (from == to) return TRUE;
        RecordDpi(m_hwnd, to);
        return OnDpiChanged(from, to, *reinterpret_cast<const RECT*>(lParam));
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        ::SetPropW(hwnd, kSelfProperty, self);
        TakeOverDpiChanges(hwnd);
        // The template was laid out at the DPI the system knows; a page of a window that
        // has moved to another since follows it before it places anything itself.
        if (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
            self->FollowDpi(SystemDpiOf(hwnd), DpiOf(hwnd));
        else  // a top-level window is laid out for the DPI it is made at, until told otherwise
            RecordDpi(hwnd, SystemDpiOf(hwnd));
    }
    if (!self) return FALSE;
    if (self->m_parts && self->HandlePartFocus(msg)) return TRUE;
    if (LRESULT answer = 0; self->m_access && self->m_access->Handle(hwnd, msg, wParam, lParam, answer)) {
        self->SetResult(answer);
        return TRUE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->OnMessage(msg, wParam, lParam);
        // Every control the template or OnInit made tells screen readers what it is.
        if (msg == WM_INITDIALOG && self->DescribesControlsAtInit()) DescribeStandardControls(hwnd);
    } catch (...) {
        // An exception must never unwind through the system's dialog manager.
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        ::RemovePropW(hwnd, kSelfProperty);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hwnd = nullptr;
    }
    return result;
}


// ---------------------------------------------------------------------------------------
// Modal

bool ModalDialog::CreateWithoutLoop(HWND owner)
{
    m_ended = false;
    return CreateFromTemplate(owner) != nullptr;
}

INT_PTR ModalDialog::RunModal(HWND owner)
{
    m_ended = false;
    m_looping = true;
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (!CreateFromTemplate(owner) && !m_ended) {
        m_looping = false;
        return -1;
    }
    // A modal box is shown whatever its template says, as the system's own modal boxes are:
    // a hidden one would leave its owner disabled with nothing to close.
    if (!m_ended && Hwnd() && !::IsWindowVisible(Hwnd())) ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);

    MSG msg;
    bool firstIdleDue = true;
    while (!m_ended) {
        // Peeked only until the first idle moment; afterwards the loop just waits.
        if (firstIdleDue && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            firstIdleDue = false;
            OnFirstIdle();
            continue;
        }
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (PreDispatch(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_looping = false;
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (Hwnd()) ::DestroyWindow(Hwnd());
    return m_result;
}

void ModalDialog::End(INT_PTR result)
{
    m_result = result;
    m_ended = true;
    if (!Hwnd()) return;
    if (!m_looping) {
        ::DestroyWindow(Hwnd());
        return;
    }
    // A message sent from another thread or process (setup closing the updater) is handled
    // inside GetMessage, which goes on waiting for a posted one: wake the modal loop.
    ::PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

bool ModalDialog::PreDispatch(MSG& msg)
{
    // Enter clicks a button only once the keyboard has moved the focus: at start Return
    // stays swallowed, as it always was (the updater's offer must not start on it).
    const bool byKeyboard = FocusMarksShown(msg.hwnd);
    NoteNavigationKey(msg);
    // The window the key is for first (the finder's Enter searches), then a focused button
    // takes Enter as a click; what is left of Return and Escape goes nowhere.
    if (Dialog* target = FromTopLevelOf(msg.hwnd); target && target->PreTranslate(msg)) return true;
    if (PressFocusedButton(msg, byKeyboard) || IsSwallowedKey(msg)) return true;
    return Hwnd() && ::IsDialogMessageW(Hwnd(), &msg);
}

bool ModalDialog::IsSwallowedKey(const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
        return false;
    return Hwnd() && (msg.hwnd == Hwnd() || ::IsChild(Hwnd(), msg.hwnd));
}

INT_PTR ModalDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: {
        if (Dialog::OnMessage(msg, wParam, lParam)) return TRUE;
        const int id = LOWORD(wParam);
        if (id != IDOK && id != IDCANCEL) return FALSE;
        End(id);
        return TRUE;
    }
    case WM_CLOSE:
        End(IDCANCEL);
        return TRUE;
    default:
        return Dialog::OnMessage(msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------------------
// Modeless

bool ModelessDialog::Create(HWND parent) { return CreateFromTemplate(parent) != nullptr; }

void ModelessDialog::End(INT_PTR)
{
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

}  // namespace zelora::win
