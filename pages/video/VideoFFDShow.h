#pragma once
// The ffdshow video decoder's page (template 241): 25 check boxes choosing the input and
// output formats, the tray icon and three picture filters.

#include "pages/SettingsPage.h"

namespace zelora {

class VideoFFDShow final : public SettingsPage {
public:
    VideoFFDShow();
};

}  // namespace zelora
