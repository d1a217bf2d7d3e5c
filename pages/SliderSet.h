#pragma once
// The Win32 half of a page's level sliders: the mouse, captured while a knob is dragged so
// that a release outside the page still ends the drag, and the drawing from the strip
// bitmaps, either all sliders into the page's off-screen picture or a few straight onto
// the window (a drag step draws only the slider it moves).

#include "pages/SliderDrag.h"
#include "platform/win/Painter.h"
#include "platform/win/UniqueHandle.h"
#include "platform/win/WindowDpi.h"

#include <functional>
#include <map>
#include <optional>
#include <span>

namespace zelora {

class SliderSet {
public:
    explicit SliderSet(std::span<const SliderRow> sliders) : m_sliders(sliders), m_drag(sliders) {}

    // Loads the strips for `page`'s DPI (again after a change of it).
    void LoadStrips(HWND page);

    // A mouse message of the page: the press or move a drag asks to apply, if any. Takes
    // and releases the mouse capture of `page`.
    std::optional<SliderTouch> OnMouse(HWND page, UINT msg, WPARAM keys, POINT client,
                                       SliderMask live);
    // The page lost the mouse capture: whatever was dragged is let go.
    void OnCaptureLost() { m_drag.End(); }
    bool Dragging() const { return m_drag.Dragging(); }

    // Every slider into the off-screen picture, each live or greyed by `live`, its knob
    // where `knob` (table index -> position) says.
    void Paint(HWND page, win::BackBuffer& buffer, SliderMask live,
               const std::function<int(std::size_t)>& knob);
    // The sliders of `which`, live, with their knob at `knob`, straight onto the window.
    void DrawLive(HWND page, SliderMask which, int knob);
    // Redrawn at the next paint (their rectangles, erased).
    void Invalidate(HWND page, SliderMask which) const;

private:
    // The copy of slider `i` with its knob at `knob`, in `page`'s pixels.
    StripCopy CopyOf(HWND page, std::size_t i, int knob, bool live) const;

    std::span<const SliderRow> m_sliders;
    SliderDrag m_drag;
    mutable win::SkinImages m_strips;  // live and greyed, by bitmap id, at the page's DPI
};

}  // namespace zelora
