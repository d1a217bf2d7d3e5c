#pragma once
// The ffdshow audio decoder's page (template 232): switches, speaker layout, input formats and eleven levels, each a page-painted slider with an edit box.

#include "pages/SliderPage.h"

namespace zelora {

class SoundFFDShow final : public SliderPage {
public:
    explicit SoundFFDShow(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
