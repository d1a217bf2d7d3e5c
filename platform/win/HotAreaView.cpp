#include "platform/win/HotAreaView.h"

namespace zelora::win {

void HotAreaView::Attach(HWND window)
{
    m_window = window;
    for (std::size_t i = 0; i < m_areas.Count(); ++i) {
        const HotArea& area = m_areas.Area(i);
        for (int id : {area.normalImage, area.pressedImage, area.hoverImage})
            if (!m_images.count(id)) m_images[id] = LoadSkinBitmap(id);
    }
}

void HotAreaView::Invalidate(HotAreaSet::Mask changed) const
{
    for (std::size_t i = 0; i < m_areas.Count(); ++i) {
        if (!(changed & (HotAreaSet::Mask{1} << i))) continue;
        const Rect& r = m_areas.Area(i).rect;
        RECT rect{r.left, r.top, r.right, r.bottom};
        ::InvalidateRect(m_window, &rect, TRUE);
    }
}

void HotAreaView::ButtonDown(POINT p) { Invalidate(m_areas.ButtonDown({p.x, p.y})); }

HotAreaSet::Mask HotAreaView::ButtonUp(POINT p)
{
    HotAreaSet::Mask actions = 0;
    Invalidate(m_areas.ButtonUp({p.x, p.y}, actions));
    return actions;
}

void HotAreaView::Move(POINT p, WPARAM keys)
{
    Invalidate(m_areas.Move({p.x, p.y}, LeftButtonOnly(keys)));
}

void HotAreaView::Paint(BackBuffer& buffer) const
{
    for (std::size_t i = 0; i < m_areas.Count(); ++i) {
        auto it = m_images.find(m_areas.ImageId(i));
        if (it == m_images.end()) continue;
        const Rect& r = m_areas.Area(i).rect;
        buffer.Draw(it->second.Get(), r.left, r.top, r.Width(), r.Height());
    }
}

}  // namespace zelora::win
