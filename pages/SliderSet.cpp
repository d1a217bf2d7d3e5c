#include "pages/SliderSet.h"

namespace zelora {
void SliderSet::LoadStrips(HWND page)
{
    const Dpi dpi = win::DpiOf(page);
    for (const SliderRow& sliderRow : m_sliders)
        for (int id : {sliderRow.geometry.strip->liveBitmap, sliderRow.geometry.strip->greyBitmap})
            m_strips.Get(id, dpi);
}

StripCopy SliderSet::CopyOf(HWND page, std::size_t i, int knob, bool live) const
{
    // The knob's place is worked out in the table's pixels, then the copy is scaled: the
    // strip drawn for the DPI has its knob where the scaled 96-DPI strip has it.
    const Dpi dpi = win::DpiOf(page);
    StripCopy copy = m_sliders[i].geometry.Copy(knob, live);
    copy.dest = dpi(copy.dest);
    copy.source = dpi(copy.source);
    m_strips.Get(copy.bitmap, dpi);
    return copy;
}

std::optional<SliderTouch> SliderSet::OnMouse(HWND page, UINT msg, WPARAM keys, POINT client,
                                              SliderMask live)
{
    const Point pointer = win::DpiOf(page).Unscale(Point{client.x, client.y});
    std::optional<SliderTouch> touch;
    switch (msg) {
        case WM_LBUTTONDOWN:
            touch = m_drag.Press(pointer, live);
            if (touch) ::SetCapture(page);
            break;
        case WM_MOUSEMOVE:
            touch = m_drag.Move(pointer, !(keys & MK_LBUTTON) ? DragButtons::LeftUp
                                         : keys == MK_LBUTTON ? DragButtons::LeftOnly
                                                              : DragButtons::LeftAndMore);
            break;
        case WM_LBUTTONUP:
            m_drag.End();
            break;
        default:
            break;
    }
    if (!m_drag.Dragging() && ::GetCapture() == page) ::ReleaseCapture();
    return touch;
}

void SliderSet::Paint(HWND page, win::BackBuffer& buffer, SliderMask live,
                      const std::function<int(std::size_t)>& knob)
{
    const Dpi dpi = win::DpiOf(page);
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        const StripCopy copy = CopyOf(page, i, knob(i), ((live >> i) & 1u) != 0);
        buffer.Draw(m_strips.Get(copy.bitmap, dpi), copy.dest.left, copy.dest.top,
                    copy.dest.Width(), copy.dest.Height(), copy.source.x, copy.source.y);
    }
}

void SliderSet::DrawLive(HWND page, SliderMask which, int knob)
{
    const win::WindowDc dc(page);
    if (!dc) return;
    win::BitmapSource source(dc.Get());
    const Dpi dpi = win::DpiOf(page);
    ForEachSlider(which, m_sliders.size(), [&](std::size_t i) {
        const StripCopy copy = CopyOf(page, i, knob, true);
        source.Copy(dc.Get(), m_strips.Get(copy.bitmap, dpi), copy.dest.left, copy.dest.top,
                    copy.dest.Width(), copy.dest.Height(), copy.source.x, copy.source.y);
    });
}

void SliderSet::Invalidate(HWND page, SliderMask which) const
{
    ForEachSlider(which, m_sliders.size(), [&](std::size_t i) {
        const RECT rect = win::ToRect(win::DpiOf(page)(m_sliders[i].geometry.rect));
        ::InvalidateRect(page, &rect, TRUE);
    });
}

}  // namespace zelora
