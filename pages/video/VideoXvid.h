#pragma once
// The Xvid decoder's page (template 234): post-processing switches, the four-character
// codes the decoder claims, flipping, compatibility and a forced output colour space.

#include "pages/SettingsPage.h"

namespace zelora {

class VideoXvid final : public SettingsPage {
public:
    VideoXvid();
};

}  // namespace zelora
