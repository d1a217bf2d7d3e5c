#include "finder/FSIntro.h"

#include "platform/win/Painter.h"
#include "resources/resource.h"
#include "resources/skin/Skin.h"

namespace zelora {

namespace {
constexpr SkinBitmap kSkin[] = {{skin::kIntroBanner, 0, 0}, {skin::kIntroPicture, 0, 30}};
}  // namespace

FSIntro::FSIntro() : Page(IDD_FSINTRO) {}

bool FSIntro::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    DrawSkin(buffer, kSkin, m_skin);
    return true;
}

}  // namespace zelora
