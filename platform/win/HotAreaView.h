#pragma once
// The Win32 side of a window's image hot areas: feeds mouse messages to the portable
// HotAreaSet, repaints the areas whose image changed and paints them all on request.

#include "platform/win/Accessible.h"
#include "platform/win/KeyboardFocus.h"
#include "platform/win/Painter.h"
#include "platform/win/WindowDpi.h"
#include "platform/ui/HotArea.h"

#include <functional>

namespace zelora::win {

class HotAreaView final : public AccessibleSource, public FocusParts {
public:
    // The areas' rectangles are the skin's, at 96 DPI.
    explicit HotAreaView(std::vector<HotArea> areas);

    void Attach(HWND window);  // laid out for the window's DPI; loads every image once
    // Each area where its 96-DPI rectangle scales to, its pictures drawn for `dpi`.
    void ScaleTo(Dpi dpi);
    // Each returns the areas whose action runs (bit i = area i).
    void ButtonDown(POINT p);
    HotAreaSet::Mask ButtonUp(POINT p);
    void Move(POINT p, WPARAM keys);
    // A release: the images change, the window's mouse capture ends and `action` runs for
    // each area released inside after a press on it, in table order.
    template <typename Action>
    void Release(POINT p, Action&& action)
    {
        const HotAreaSet::Mask actions = ButtonUp(p);
        if (::GetCapture() == m_window) ::ReleaseCapture();
        for (std::size_t i = 0; i < m_areas.Count(); ++i)
            if (actions & (HotAreaSet::Mask{1} << i)) action(i);
    }
    // The areas' images, and the focus mark of the one the keyboard is on.
    void Paint(BackBuffer& buffer) const;

    const HotAreaSet& Areas() const { return m_areas; }
    void SetRect(std::size_t i, Rect rect) { m_areas.SetRect(i, rect); }  // window pixels

    // Screen readers see each area as a push button of its name, whose default action runs
    // `action(i)` (i in table order). Hand the view to the window's SetAccessibleSource.
    void Describe(std::function<void(std::size_t)> action) { m_action = std::move(action); }

    AccessibleFacts Self() const override { return {}; }
    int PartCount() const override { return m_action ? static_cast<int>(m_areas.Count()) : 0; }
    AccessibleFacts Part(int index) const override;
    RECT PartRect(int index) const override;
    bool DoDefaultAction(int index) override;

    // The keyboard reaches each area; Enter or Space runs the action given to Describe.
    int FocusPartCount() const override { return PartCount(); }
    RECT FocusPartRect(int index) const override { return PartRect(index); }
    int FocusedPart() const override { return m_focused; }
    void SetFocusedPart(int index) override;
    void ActivatePart(int index) override { DoDefaultAction(index); }

private:
    void Invalidate(HotAreaSet::Mask changed) const;

    HWND m_window = nullptr;
    HotAreaSet m_areas;
    std::vector<Rect> m_baseRects;  // at 96 DPI, in table order
    Dpi m_dpi;
    mutable SkinImages m_images;  // filled by Paint
    std::function<void(std::size_t)> m_action;
    int m_focused = -1;
};

// True when a mouse message's key state is exactly the left button.
inline bool LeftButtonOnly(WPARAM keys) { return keys == MK_LBUTTON; }

}  // namespace zelora::win
