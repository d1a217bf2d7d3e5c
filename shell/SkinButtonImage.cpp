#include "shell/SkinButtonImage.h"

namespace zelora {

ButtonImage ImageForDraw(const MenuButton& button, bool flag, bool held)
{
    if (button.soundHeaderQuirk) {
        // The sound header shows its expanded-hover image whenever it is held down.
        if (held) return ButtonImage::ExpandedHover;
        return flag ? ButtonImage::Selected : ButtonImage::Normal;
    }
    return (flag || held) ? ButtonImage::Selected : ButtonImage::Normal;
}

ButtonImage ImageForHover(const MenuButton& button, bool flag, bool pointerInside)
{
    const bool header = button.kind == ButtonKind::Group;
    if (pointerInside)
        return (header && flag) ? ButtonImage::ExpandedHover : ButtonImage::Hover;
    return flag ? ButtonImage::Selected : ButtonImage::Normal;
}

int ImageId(const MenuButton& button, ButtonImage image)
{
    switch (image) {
    case ButtonImage::Hover: return button.hoverImage;
    case ButtonImage::Selected: return button.selectedImage;
    case ButtonImage::ExpandedHover: return button.expandedHoverImage;
    case ButtonImage::Normal: break;
    }
    return button.normalImage;
}

}  // namespace zelora
