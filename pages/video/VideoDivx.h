#pragma once
// The DivX decoder page (template 233): switches, the aspect ratio, and six levels set with
// page-painted sliders (post-processing, film grain, picture).

#include "pages/SliderPage.h"

namespace zelora {

class VideoDivx final : public SliderPage {
public:
    explicit VideoDivx(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
