#pragma once
// What the two audio pages' level edits share on the page: the edit itself (disabled
// without the decoder, as every control of the page) and the framed box painted behind it.

#include "pages/PageFrame.h"

namespace zelora {

// Widened from 18 pixels about the same centre: 18 pixels cut "100" in the dialog font.
constexpr PageControl LevelEdit(int id, int x, int y)
{
    return {.id = id, .type = ControlType::NumericEdit, .place = {x - 4, y, 26, 13}};
}

// Once per edit.
constexpr SkinBitmap LevelEditFrame(int x, int y) { return {skin::kLevelEditFrame, x, y}; }

}  // namespace zelora
