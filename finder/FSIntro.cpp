#include "finder/FSIntro.h"

#include "platform/win/Painter.h"
#include "resources/resource.h"
#include "resources/skin/Skin.h"

namespace zelora {

FSIntro::FSIntro()
    : Page(IDD_FSINTRO), m_title(win::LoadSkinBitmap(skin::kIntroBanner.id)),
      m_picture(win::LoadSkinBitmap(skin::kIntroPicture.id))
{
}

bool FSIntro::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    buffer.Draw(m_title.Get(), 0, 0, skin::kIntroBanner.width, skin::kIntroBanner.height);
    buffer.Draw(m_picture.Get(), 0, 30, skin::kIntroPicture.width, skin::kIntroPicture.height);
    return true;
}

}  // namespace zelora
