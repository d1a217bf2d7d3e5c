#include "pages/audio/SoundFFDShow.h"

#include "pages/audio/SoundFFDShowValues.h"
#include "resources/resource.h"

namespace zelora {

SoundFFDShow::SoundFFDShow(RegistryBackend& registry)
    : SliderPage({IDD_SOUND_FFDSHOW, Decoder::FFDShow, sound_ffdshow::kValues,
                  sound_ffdshow::kControls, sound_ffdshow::kBitmaps, sound_ffdshow::kEnables},
                 {sound_ffdshow::kSliders}, registry)
{
}

}  // namespace zelora
