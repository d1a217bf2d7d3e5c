#include "platform/ui/HotArea.h"

namespace zelora {

HotAreaSet::HotAreaSet(std::vector<HotArea> areas)
    : m_areas(std::move(areas)),
      m_images(m_areas.size(), HotImage::Normal),
      m_pressed(m_areas.size(), false)
{
}

int HotAreaSet::ImageId(std::size_t i) const
{
    switch (m_images[i]) {
    case HotImage::Pressed: return m_areas[i].pressedImage;
    case HotImage::Hover: return m_areas[i].hoverImage;
    case HotImage::Normal: break;
    }
    return m_areas[i].normalImage;
}

bool HotAreaSet::AnyPressed() const
{
    for (bool p : m_pressed)
        if (p) return true;
    return false;
}

bool HotAreaSet::OtherPressed(std::size_t i) const
{
    for (std::size_t k = 0; k < m_areas.size(); ++k) {
        if (k == i || !m_pressed[k] || m_areas[k].pressIgnoredByOthers) continue;
        if (static_cast<int>(k) == m_areas[i].ignoresPressOf) continue;
        return true;
    }
    return false;
}

HotAreaSet::Mask HotAreaSet::SetImage(std::size_t i, HotImage image)
{
    if (m_images[i] == image) return 0;
    m_images[i] = image;
    return Mask{1} << i;
}

HotAreaSet::Mask HotAreaSet::ButtonDown(Point p)
{
    Mask changed = 0;
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        if (!m_areas[i].rect.Contains(p)) continue;
        m_pressed[i] = true;
        changed |= SetImage(i, HotImage::Pressed);
    }
    return changed;
}

HotAreaSet::Mask HotAreaSet::ButtonUp(Point p, Mask& actions)
{
    Mask changed = 0;
    actions = 0;
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        const bool fire = m_areas[i].rect.Contains(p) && m_pressed[i];
        m_pressed[i] = false;
        if (fire) actions |= Mask{1} << i;
        const bool hover = fire && !m_areas[i].normalAfterAction;
        changed |= SetImage(i, hover ? HotImage::Hover : HotImage::Normal);
    }
    return changed;
}

HotAreaSet::Mask HotAreaSet::Move(Point p, bool leftHeldOnly)
{
    Mask changed = 0;
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        if (m_areas[i].rect.Contains(p)) {
            if (!OtherPressed(i))
                changed |= SetImage(i, leftHeldOnly ? HotImage::Pressed : HotImage::Hover);
        } else if (!m_pressed[i]) {
            changed |= SetImage(i, HotImage::Normal);
        }
    }
    return changed;
}

}  // namespace zelora
