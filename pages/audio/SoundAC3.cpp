#include "pages/audio/SoundAC3.h"

#include "pages/audio/SoundAC3Values.h"
#include "resources/resource.h"

namespace zelora {

SoundAC3::SoundAC3(RegistryBackend& registry)
    : SliderPage({IDD_SOUND_AC3, Decoder::AC3Filter, sound_ac3::kValues, sound_ac3::kControls,
                  sound_ac3::kBitmaps},
                 {sound_ac3::kSliders}, registry)
{
}

}  // namespace zelora
