#pragma once
// Thin, non-owning wrappers over the standard controls: a window handle and one method per
// message, so page code reads as what it does rather than as message numbers.

#include "platform/win/WideText.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zelora::win {

// A window's rectangle in its parent's client pixels.
inline RECT ClientRectOf(HWND window)
{
    // The rectangle is mapped as its two corner points, which is how RECT is laid out.
    static_assert(sizeof(RECT) == 2 * sizeof(POINT) && offsetof(RECT, left) == offsetof(POINT, x) &&
                  offsetof(RECT, top) == offsetof(POINT, y) && offsetof(RECT, right) == sizeof(POINT));
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A window's whole text, whatever its length.
inline std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}
    Control(HWND dialog, int id) : m_hwnd(::GetDlgItem(dialog, id)) {}

    HWND Hwnd() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd != nullptr; }
    void Enable(bool enable) const { ::EnableWindow(m_hwnd, enable); }
    void Show(bool visible) const { ::ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
    void MoveTo(int x, int y, int width, int height, bool repaint = true) const
    {
        ::MoveWindow(m_hwnd, x, y, width, height, repaint);
    }

    // UTF-8 text, whatever its length.
    std::string Text() const { return Narrow(WindowText(m_hwnd)); }
    void SetText(std::string_view utf8) const { ::SetWindowTextW(m_hwnd, Wide(utf8).c_str()); }

protected:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hwnd, msg, wParam, lParam);
    }

private:
    HWND m_hwnd = nullptr;
};

// Check boxes and radio buttons.
class CheckBox : public Control {
public:
    using Control::Control;
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class ComboBox : public Control {
public:
    using Control::Control;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    void AddString(std::string_view utf8) const
    {
        const std::wstring text = Wide(utf8);
        Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }  // CB_ERR: none
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // Never narrower than the box itself.
    void SetDroppedWidth(int pixels) const
    {
        Send(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(pixels));
    }
};

class Edit : public Control {
public:
    using Control::Control;
    void CaretToEnd() const
    {
        const auto end = static_cast<WPARAM>(::GetWindowTextLengthW(Hwnd()));
        Send(EM_SETSEL, end, static_cast<LPARAM>(end));
    }
};

class UpDown : public Control {
public:
    using Control::Control;
    void SetRange(int min, int max) const
    {
        Send(UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
    }
};

}  // namespace zelora::win
