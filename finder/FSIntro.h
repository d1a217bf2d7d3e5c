#pragma once
// The intro page: a skin picture in the main window's page slot.

#include "platform/win/UniqueHandle.h"
#include "pages/Page.h"

namespace zelora {

class FSIntro final : public Page {
public:
    FSIntro();

protected:
    bool OnEraseBackground(HDC dc) override;

private:
    win::UniqueBitmap m_title;
    win::UniqueBitmap m_picture;
};

}  // namespace zelora
