#include "pages/audio/SoundKorrin.h"

#include "pages/audio/SoundKorrinValues.h"
#include "resources/resource.h"

namespace zelora {

// The whole page is its one radio row.
SoundKorrin::SoundKorrin(RegistryBackend& registry)
    : SettingsPage({IDD_SOUND_KORRIN, Decoder::KorrinsDts, sound_korrin::kValues,
                    sound_korrin::kControls, sound_korrin::kBitmaps},
                   registry)
{
}

}  // namespace zelora
