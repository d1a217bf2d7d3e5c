#pragma once
// The AC3Filter page (template 235): speaker layout, sample format, S/PDIF, input and pass-through formats, and ten levels in decibels, each a page-painted slider with an edit box (the master level two).

#include "pages/SliderPage.h"

namespace zelora {

class SoundAC3 final : public SliderPage {
public:
    explicit SoundAC3(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
