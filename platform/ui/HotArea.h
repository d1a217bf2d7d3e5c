#pragma once
// Image hot areas: skin images that act as buttons on a window's own background (main
// window, Codec Connect page, finder, home-page box, updater). The window feeds mouse
// events in; the set decides which image each area shows and which actions run.

#include "platform/ui/Dpi.h"
#include "platform/ui/Geometry.h"
#include "resources/skin/Skin.h"

#include <cstdint>
#include <vector>

namespace zelora {

enum class HotImage { Normal, Pressed, Hover };

struct HotArea {
    Rect rect;
    int normalImage = 0;   // bitmap resource ids
    int pressedImage = 0;
    int hoverImage = 0;
    // Pressing this area does not stop the others from showing hover.
    bool pressIgnoredByOthers = false;
    // Index of one other area whose press this area ignores on a move, or -1.
    int ignoresPressOf = -1;
    // After its action the area shows its normal image rather than hover.
    bool normalAfterAction = false;
    // What screen readers call it (its picture's words); the area acts as a push button.
    const wchar_t* name = L"";
};

// Where a skin place lies in a window `clientWidth` wide (which only places counted from
// the right edge need).
constexpr Rect SkinRect(const skin::Box& box, int clientWidth = 0)
{
    const int left = box.fromRight ? clientWidth - box.x : box.x;
    return {left, box.y, left + box.width, box.y + box.height};
}

// The same place at `dpi`: a right-anchored one counts its scaled offset back from the
// window's own width in pixels.
constexpr Rect SkinRect(const skin::Box& box, int clientWidth, Dpi dpi)
{
    const Rect base{0, 0, box.width, box.height};
    const int left = box.fromRight ? clientWidth - dpi(box.x) : dpi(box.x);
    const Rect size = dpi(base);
    return {left, dpi(box.y), left + size.right, dpi(box.y) + size.bottom};
}

constexpr HotArea SkinHotArea(const skin::Area& area, int clientWidth = 0)
{
    HotArea hot{SkinRect(area.box, clientWidth), area.normal, area.pressed, area.hover};
    hot.name = area.words;
    return hot;
}

class HotAreaSet {
public:
    using Mask = std::uint32_t;  // one bit per area, in table order

    explicit HotAreaSet(std::vector<HotArea> areas);

    // Each returns the areas whose image changed (to be invalidated).
    Mask ButtonDown(Point p);
    // `actions` receives the areas released inside after a press on them, in table order.
    Mask ButtonUp(Point p, Mask& actions);
    // `leftHeldOnly`: the move reports exactly the left button and no other key.
    Mask Move(Point p, bool leftHeldOnly);

    std::size_t Count() const { return m_areas.size(); }
    const HotArea& Area(std::size_t i) const { return m_areas[i]; }
    // Windows that resize move their areas (the finder's right-hand images).
    void SetRect(std::size_t i, Rect rect) { m_areas[i].rect = rect; }
    HotImage Image(std::size_t i) const { return m_images[i]; }
    int ImageId(std::size_t i) const;
    bool Pressed(std::size_t i) const { return m_pressed[i]; }
    bool AnyPressed() const;

private:
    bool OtherPressed(std::size_t i) const;
    Mask SetImage(std::size_t i, HotImage image);

    std::vector<HotArea> m_areas;
    std::vector<HotImage> m_images;
    std::vector<bool> m_pressed;
};

}  // namespace zelora
