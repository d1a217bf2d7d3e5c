#pragma once
// The intro page: a skin picture in the main window's page slot.

#include "pages/Page.h"
#include "platform/win/Painter.h"

namespace zelora {

class FSIntro final : public Page {
public:
    FSIntro();

protected:
    bool OnEraseBackground(HDC dc) override;

private:
    win::SkinImages m_skin;  // drawn at the first paint, for the page's DPI
};

}  // namespace zelora
