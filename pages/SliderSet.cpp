#include "pages/SliderSet.h"

namespace zelora {
void SliderSet::LoadStrips()
{
    for (const SliderRow& sliderRow : m_sliders) {
        for (int id : {sliderRow.geometry.strip->liveBitmap, sliderRow.geometry.strip->greyBitmap})
            if (!m_strips.contains(id)) m_strips.emplace(id, win::LoadSkinBitmap(id));
    }
}

std::optional<SliderTouch> SliderSet::OnMouse(HWND page, UINT msg, WPARAM keys, POINT client,
                                              SliderMask live)
{
    const Point pointer{client.x, client.y};
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

HBITMAP SliderSet::Strip(int id) const
{
    const auto strip = m_strips.find(id);
    return strip == m_strips.end() ? nullptr : strip->second.Get();
}

void SliderSet::Paint(win::BackBuffer& buffer, SliderMask live,
                      const std::function<int(std::size_t)>& knob)
{
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        const StripCopy copy = m_sliders[i].geometry.Copy(knob(i), ((live >> i) & 1u) != 0);
        buffer.Draw(Strip(copy.bitmap), copy.dest.left, copy.dest.top, copy.dest.Width(),
                    copy.dest.Height(), copy.source.x, copy.source.y);
    }
}

void SliderSet::DrawLive(HWND page, SliderMask which, int knob)
{
    const win::WindowDc dc(page);
    if (!dc) return;
    win::BitmapSource source(dc.Get());
    ForEachSlider(which, m_sliders.size(), [&](std::size_t i) {
        const StripCopy copy = m_sliders[i].geometry.Copy(knob, true);
        source.Copy(dc.Get(), Strip(copy.bitmap), copy.dest.left, copy.dest.top, copy.dest.Width(),
                    copy.dest.Height(), copy.source.x, copy.source.y);
    });
}

void SliderSet::Invalidate(HWND page, SliderMask which) const
{
    ForEachSlider(which, m_sliders.size(), [&](std::size_t i) {
        const Rect& r = m_sliders[i].geometry.rect;
        const RECT rect{r.left, r.top, r.right, r.bottom};
        ::InvalidateRect(page, &rect, TRUE);
    });
}

}  // namespace zelora
