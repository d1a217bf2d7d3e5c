#include "pages/Page.h"

#include "platform/win/Painter.h"

namespace zelora {

bool PlainPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(RGB(233, 233, 233));
    return true;
}

}  // namespace zelora
