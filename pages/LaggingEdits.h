#pragma once
// The level edits whose shown text is behind their member text, and the page timer that
// brings them up to date. Setting an edit's text costs more than the rest of a drag step
// (Wine's edit control most of all), so while a knob is dragged the edits follow on this
// timer and at the drag's end, and the stored level and the knob follow at once.

#include "pages/SliderDrag.h"

#include <windows.h>

namespace zelora {

class LaggingEdits {
public:
    // At most this long between a drag step and its level showing in the edits.
    static constexpr UINT kCatchUpMs = 50;
    static constexpr UINT_PTR kTimerId = 0x5A4C;

    // The edits of `sliders` now lag; the first lag since the last catch-up starts `page`'s
    // timer.
    void Lag(HWND page, SliderMask sliders)
    {
        if (m_lagging == 0 && sliders != 0) ::SetTimer(page, kTimerId, kCatchUpMs, nullptr);
        m_lagging |= sliders;
    }

    // The lagging edits, handed over for the caller to bring up to date; the timer stops.
    SliderMask Take(HWND page)
    {
        const SliderMask lagging = m_lagging;
        if (lagging != 0) ::KillTimer(page, kTimerId);
        m_lagging = 0;
        return lagging;
    }

private:
    SliderMask m_lagging = 0;
};

}  // namespace zelora
