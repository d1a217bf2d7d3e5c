#include "pages/Page.h"

#include "platform/win/Painter.h"

namespace zelora {

bool PlainPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    return true;
}

}  // namespace zelora
