#pragma once
// A page's level sliders as a table, and the mouse logic that drives them. The Win32 page
// forwards its mouse messages here, captures the mouse while Dragging(), and stores and
// draws what each press or move returns.

#include "pages/LevelConversions.h"
#include "pages/PageControls.h"
#include "pages/SliderGeometry.h"

#include <cstdint>
#include <optional>
#include <span>

namespace zelora {

// The page-side condition under which a slider is live (drawn live, answering the mouse,
// accepting typed levels), on top of the decoder being installed.
struct SliderGate {
    enum class Kind {
        Always,
        Ticked,         // check box `controlId` ticked
        Unticked,       // check box `controlId` not ticked
        ComboSelects,   // combo box `controlId` shows entry `entry`
    };
    Kind kind = Kind::Always;
    int controlId = 0;
    ListIndex entry{};

    bool Open(const PageControls& controls) const;
};

// Which of a page's levels a slider shows, counted from 0 (a page's own numbering, no
// control id).
enum class LevelIndex : int {};

// One row of a page's slider table. Two sliders may show one level (`level` is the page's
// index of the value they show); each has its own edit box, if any.
struct SliderRow {
    SliderGeometry geometry;
    const LevelScale* scale = nullptr;
    SliderGate gate;
    LevelIndex level{};
    int editId = 0;   // the numeric edit beside the slider, 0 for none
    int labelId = 0;  // the text control naming it, where its name is not in a picture
};

// The levels a slider of `scale` stores: the range of the value row it shows.
constexpr EditRange LevelRange(const LevelScale& scale) { return {scale.minLevel, scale.maxLevel}; }

using SliderMask = std::uint32_t;  // bit i: sliders[i]

// The sliders that show `level` (drawn, and their edits filled, together).
SliderMask SlidersOfLevel(std::span<const SliderRow> sliders, LevelIndex level);
// Calls `each(i)` for every slider i of `which`, in table order.
template <class Each>
void ForEachSlider(SliderMask which, std::size_t count, Each&& each)
{
    for (std::size_t i = 0; i < count; ++i)
        if ((which >> i) & 1u) each(i);
}

// The sliders whose gate watches control `controlId` (redrawn when it changes).
SliderMask SlidersGatedBy(std::span<const SliderRow> sliders, int controlId);
// The slider whose edit box is `editId`, or -1.
int SliderOfEdit(std::span<const SliderRow> sliders, int editId);

// The sliders that are live now: installed, and each one's gate open.
SliderMask LiveSliders(std::span<const SliderRow> sliders, const PageControls& controls,
                       bool decoderInstalled);

// A pointer event on slider `slider` (table index) asking for knob position `position`.
struct SliderTouch {
    int slider = 0;
    int position = 0;
};

// The buttons and keys a mouse move reports, as a drag sees them.
enum class DragButtons {
    LeftOnly,     // the knob follows the pointer
    LeftAndMore,  // Shift, Control or another button too: the knob waits where it is
    LeftUp,       // the release was lost
};

// The drag of one slider with the left button: a press on a live slider starts it, moves
// with exactly the left button held follow it, and it lasts while the button is held.
class SliderDrag {
public:
    explicit SliderDrag(std::span<const SliderRow> sliders) : m_sliders(sliders) {}

    // Left button down. The first slider in table order that is in `live` and holds the
    // point takes the press and starts a drag. A press that hits none ends any drag (its
    // release was lost).
    std::optional<SliderTouch> Press(Point pointer, SliderMask live);

    // Mouse move during a drag: the dragged slider's position from the coordinate along its
    // axis, wherever the pointer is, when only the left button is held. With a key or
    // another button as well nothing moves, and tracking resumes once only the left button
    // is held again; a move without the left button ends the drag.
    std::optional<SliderTouch> Move(Point pointer, DragButtons buttons);

    // Button released, or mouse capture lost.
    void End() { m_dragged.reset(); }

    bool Dragging() const { return m_dragged.has_value(); }
    std::optional<int> Dragged() const { return m_dragged; }

private:
    std::span<const SliderRow> m_sliders;
    std::optional<int> m_dragged;
};

}  // namespace zelora
