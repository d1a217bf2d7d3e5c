#include "pages/SliderDrag.h"

#include <cassert>

namespace zelora {

bool SliderGate::Open(const PageControls& controls) const
{
    switch (kind) {
    case Kind::Always: return true;
    case Kind::Ticked: return controls.GetCheck(controlId) != 0;
    case Kind::Unticked: return controls.GetCheck(controlId) == 0;
    case Kind::ComboSelects: return controls.GetComboIndex(controlId) == Index(entry);
    }
    return false;
}

SliderMask LiveSliders(std::span<const SliderRow> sliders, const PageControls& controls,
                       bool decoderInstalled)
{
    assert(sliders.size() <= 32);
    SliderMask live = 0;
    if (!decoderInstalled) return live;
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        if (sliders[i].gate.Open(controls)) live |= SliderMask{1} << i;
    }
    return live;
}

SliderMask SlidersOfLevel(std::span<const SliderRow> sliders, LevelIndex level)
{
    SliderMask mask = 0;
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        if (sliders[i].level == level) mask |= SliderMask{1} << i;
    }
    return mask;
}

SliderMask SlidersGatedBy(std::span<const SliderRow> sliders, int controlId)
{
    SliderMask mask = 0;
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        const SliderGate& gate = sliders[i].gate;
        if (gate.kind != SliderGate::Kind::Always && gate.controlId == controlId)
            mask |= SliderMask{1} << i;
    }
    return mask;
}

int SliderOfEdit(std::span<const SliderRow> sliders, int editId)
{
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        if (editId != 0 && sliders[i].editId == editId) return static_cast<int>(i);
    }
    return -1;
}

std::optional<SliderTouch> SliderDrag::Press(Point pointer, SliderMask live)
{
    m_dragged.reset();
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        const SliderGeometry& geometry = m_sliders[i].geometry;
        if (!(live & (SliderMask{1} << i)) || !geometry.rect.Contains(pointer)) continue;
        m_dragged = static_cast<int>(i);
        return SliderTouch{*m_dragged, geometry.PositionAt(pointer)};
    }
    return std::nullopt;
}

std::optional<SliderTouch> SliderDrag::Move(Point pointer, DragButtons buttons)
{
    if (!m_dragged) return std::nullopt;
    if (buttons == DragButtons::LeftUp) m_dragged.reset();
    if (buttons != DragButtons::LeftOnly) return std::nullopt;
    const SliderGeometry& geometry = m_sliders[static_cast<std::size_t>(*m_dragged)].geometry;
    return SliderTouch{*m_dragged, geometry.PositionAt(pointer)};
}

}  // namespace zelora
