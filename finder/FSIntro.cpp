#include "finder/FSIntro.h"

#include "platform/win/Painter.h"
#include "resources/resource.h"

namespace zelora {

FSIntro::FSIntro()
    : Page(IDD_FSINTRO), m_title(win::LoadSkinBitmap(146)), m_picture(win::LoadSkinBitmap(334))
{
}

bool FSIntro::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    buffer.Draw(m_title.Get(), 0, 0, 408, 13);
    buffer.Draw(m_picture.Get(), 0, 30, 408, 430);
    return true;
}

}  // namespace zelora
