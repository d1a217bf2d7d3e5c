#pragma once
// What the two audio pages' level edits share on the page: the framed box painted behind
// each (the edit's own place is LEVEL_EDIT_AT, in the pages' resource headers).

#include "pages/PageFrame.h"

namespace zelora {

// Once per edit.
constexpr SkinBitmap LevelEditFrame(int x, int y) { return {skin::kLevelEditFrame, x, y}; }

}  // namespace zelora
