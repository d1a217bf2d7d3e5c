#pragma once
// The Win32 side of a window's image hot areas: feeds mouse messages to the portable
// HotAreaSet, repaints the areas whose image changed and paints them all on request.

#include "platform/win/Painter.h"
#include "platform/ui/HotArea.h"

#include <map>

namespace zelora::win {

class HotAreaView {
public:
    explicit HotAreaView(std::vector<HotArea> areas) : m_areas(std::move(areas)) {}

    void Attach(HWND window);  // loads every image once
    // Each returns the areas whose action runs (bit i = area i).
    void ButtonDown(POINT p);
    HotAreaSet::Mask ButtonUp(POINT p);
    void Move(POINT p, WPARAM keys);
    void Paint(BackBuffer& buffer) const;

    const HotAreaSet& Areas() const { return m_areas; }

private:
    void Invalidate(HotAreaSet::Mask changed) const;

    HWND m_window = nullptr;
    HotAreaSet m_areas;
    std::map<int, UniqueBitmap> m_images;
};

// True when a mouse message's key state is exactly the left button.
inline bool LeftButtonOnly(WPARAM keys) { return keys == MK_LBUTTON; }

}  // namespace zelora::win
