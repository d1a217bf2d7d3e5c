#pragma once
// Which image a skinned menu button shows.

#include "shell/Accordion.h"

namespace zelora {

enum class ButtonImage { Normal, Hover, Selected, ExpandedHover };

// For drawing: `flag` is Selected (items, top level) or Expanded (group headers);
// `held` is the button's pushed state while the mouse holds it down.
ButtonImage ImageForDraw(const MenuButton& button, bool flag, bool held);

// For hover tracking while the pointer moves over or off the button.
ButtonImage ImageForHover(const MenuButton& button, bool flag, bool pointerInside);

int ImageId(const MenuButton& button, ButtonImage image);

}  // namespace zelora
