#pragma once
// An owner-drawn push button shown entirely by skin bitmaps: up, selected (held down),
// focus and, optionally, disabled; a dotted mark shows the focus once the keyboard moved it.

#include "platform/ui/Dpi.h"
#include "platform/win/UniqueHandle.h"
#include "resources/skin/Skin.h"

namespace zelora::updater {

struct ImageButtonSkin {
    int controlId;
    int x, y, width, height;
    int up, selected, focus, disabled;  // bitmap ids; disabled 0: drawn as up
    const wchar_t* words;               // what screen readers call it: its picture's words
};

// The button of `controlId` as the skin places it; with the focus it shows its up image.
constexpr ImageButtonSkin SkinnedButton(int controlId, const skin::Area& area)
{
    const skin::Box& at = area.box;
    return {controlId, at.x, at.y, at.width, at.height, area.normal, area.pressed, area.normal,
            area.disabled, area.words};
}

class ImageButton {
public:
    // Binds to the dialog's control, loads the images and places the button (without
    // redrawing). False when the control or an image is missing.
    bool Attach(HWND dialog, const ImageButtonSkin& skin, Dpi dpi = Dpi());
    void Draw(const DRAWITEMSTRUCT& item) const;
    HWND Hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
    int m_width = 0;
    int m_height = 0;
    win::UniqueBitmap m_up, m_selected, m_focus, m_disabled;
};

}  // namespace zelora::updater
