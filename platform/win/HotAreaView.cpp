#include "platform/win/HotAreaView.h"

namespace zelora::win {

HotAreaView::HotAreaView(std::vector<HotArea> areas) : m_areas(std::move(areas))
{
    for (std::size_t i = 0; i < m_areas.Count(); ++i) m_baseRects.push_back(m_areas.Area(i).rect);
}

void HotAreaView::Attach(HWND window)
{
    m_window = window;
    ScaleTo(DpiOf(window));
}

// The pictures are drawn when first painted: a start needs the normal ones only.
void HotAreaView::ScaleTo(Dpi dpi)
{
    m_dpi = dpi;
    for (std::size_t i = 0; i < m_areas.Count(); ++i) m_areas.SetRect(i, dpi(m_baseRects[i]));
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
        const HBITMAP image = m_images.Get(m_areas.ImageId(i), m_dpi);
        if (!image) continue;
        const Rect& r = m_areas.Area(i).rect;
        buffer.Draw(image, r.left, r.top, r.Width(), r.Height());
    }
    if (m_focused >= 0) DrawFocusMark(buffer.Dc(), PartRect(m_focused));
}

void HotAreaView::SetFocusedPart(int index)
{
    if (index == m_focused) return;
    const auto mask = [](int i) { return i < 0 ? HotAreaSet::Mask{0} : HotAreaSet::Mask{1} << i; };
    Invalidate(mask(m_focused) | mask(index));
    m_focused = index;
}

AccessibleFacts HotAreaView::Part(int index) const
{
    AccessibleFacts facts;
    facts.name = m_areas.Area(static_cast<std::size_t>(index)).name;
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    facts.state = (m_areas.Pressed(static_cast<std::size_t>(index)) ? STATE_SYSTEM_PRESSED : 0) |
                  (index == m_focused ? STATE_SYSTEM_FOCUSED : 0) | STATE_SYSTEM_FOCUSABLE;
    facts.defaultAction = L"누르기";
    return facts;
}

RECT HotAreaView::PartRect(int index) const
{
    const Rect r = m_areas.Area(static_cast<std::size_t>(index)).rect;
    return {r.left, r.top, r.right, r.bottom};
}

bool HotAreaView::DoDefaultAction(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_areas.Count() || !m_action) return false;
    m_action(static_cast<std::size_t>(index));
    return true;
}

}  // namespace zelora::win
