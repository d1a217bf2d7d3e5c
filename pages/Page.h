#pragma once
// What the main window asks of each of its twelve pages, and all it knows of them: the main
// window calls Load and Layout when a settings page's button is pressed, Shown whenever it
// has shown a page (first time or again), and ResetDefaults from the install check. Each
// page decides for itself what a show means to it (a first-show preparation, a refresh).

#include "pages/PageFrame.h"
#include "platform/win/Accessible.h"
#include "platform/win/Dialog.h"
#include "platform/win/Painter.h"

#include <span>

namespace zelora {

// The pages' background (kPageBackground) as GDI takes it.
inline constexpr COLORREF kPageBackgroundColor =
    RGB(kPageBackground.red, kPageBackground.green, kPageBackground.blue);

class Page : public win::ModelessDialog {
public:
    using win::ModelessDialog::ModelessDialog;

    virtual void Load() {}
    virtual void Layout() {}
    void Shown()
    {
        OnShown();
        // Described once the first show has filled the controls: under Wine each message to
        // a described (subclassed) control costs two calls to the window server, and a
        // first fill sends hundreds of them, before the main window's first paint.
        if (!m_controlsDescribed) {
            m_controlsDescribed = true;
            win::DescribeStandardControls(Hwnd());
        }
    }
    virtual void ResetDefaults() {}
    // The main window moved from `from` to `to` DPI; the main window places the page after.
    virtual void DpiChanged(Dpi from, Dpi to) { FollowDpi(from, to); }

protected:
    virtual void OnShown() {}
    bool DescribesControlsAtInit() const override { return false; }

    // A table's place (96-DPI pixels) in the page's pixels.
    Rect Pixels(const Place& place) const
    {
        return WindowDpi().Edges({place.x, place.y, place.x + place.width, place.y + place.height});
    }
    // Skin pictures onto the page's background at their table places, each drawn for the
    // page's DPI (whole, or as much of it as its place shows).
    void DrawSkin(win::BackBuffer& buffer, std::span<const SkinBitmap> bitmaps, win::SkinImages& images) const
    {
        const Dpi dpi = WindowDpi();
        for (const SkinBitmap& bitmap : bitmaps) {
            const Place& at = bitmap.place;
            buffer.Draw(images.Get(bitmap.id, dpi), dpi(at.x), dpi(at.y), at.IsSet() ? dpi(at.width) : -1,
                        at.IsSet() ? dpi(at.height) : -1);
        }
    }

private:
    bool m_controlsDescribed = false;
};

}  // namespace zelora
