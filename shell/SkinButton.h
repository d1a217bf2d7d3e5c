#pragma once
// The skinned menu buttons: owner-drawn push buttons that draw themselves from skin images,
// send their command on mouse-down and track hover by capturing the mouse (no timers).
// Each makes its window when first shown: a start shows six of the fourteen, and every
// window made before the first paint delays it.
// The table entry says whether a button is an item, top-level or group button.

#include "platform/win/Accessible.h"
#include "platform/win/Painter.h"
#include "platform/win/UniqueHandle.h"
#include "shell/Accordion.h"

#include <optional>

namespace zelora {

class SkinButton : private win::AccessibleSource {
public:
    SkinButton() = default;
    SkinButton(const SkinButton&) = delete;
    SkinButton& operator=(const SkinButton&) = delete;
    virtual ~SkinButton();

    // Remembers the window the button belongs to; its own window is made at its first show.
    void Attach(HWND parent, const MenuButton& button);

    // Shows the button at `place` (in one call; made there, after `insertAfter` in the tab
    // order, the first time) or hides it. Records the size, the size of every blit.
    void Place(const ButtonPlacement& place, HWND insertAfter);
    void Repaint() const;
    void Draw(const DRAWITEMSTRUCT& item) const;

    // Drawn dark while its page is the one in view.
    bool Selected() const { return m_flag; }
    void SetSelected(bool selected) { SetFlag(selected); }

    HWND Hwnd() const { return m_hwnd; }
    const MenuButton& Button() const { return *m_button; }

protected:
    void SetFlag(bool flag);
    // `Selected`, or `Expanded` for a group button: the flag the images are chosen by.
    bool m_flag = false;

private:
    // What a screen reader learns: a push button, pressed while its page is in view, or a
    // group header, expanded or collapsed.
    win::AccessibleFacts Self() const override;
    bool DoDefaultAction(int part) override;

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void TrackHover(POINT p);
    void Press();
    HBITMAP Image(int id) const;
    // The image, and the focus mark while the keyboard has brought the focus here.
    void DrawFace(HDC dc, int imageId, bool focused) const;

    HWND m_parent = nullptr;
    HWND m_hwnd = nullptr;  // null until first shown
    const MenuButton* m_button = nullptr;
    mutable win::SkinImages m_images;  // each decoded when the button first draws it
    int m_width = 0;
    int m_height = 0;
    // Where the button was last shown, if it still is: the menu is laid out again on every
    // choice, and most buttons stay put.
    std::optional<Rect> m_shownAt;
    win::AccessibleBridge m_access{*this};
};

// An accordion group header: its flag says whether the group is open, and it has a fourth
// image, the expanded one under the pointer.
class GroupSkinButton final : public SkinButton {
public:
    bool Expanded() const { return m_flag; }
    void SetExpanded(bool expanded) { SetFlag(expanded); }
};

}  // namespace zelora
