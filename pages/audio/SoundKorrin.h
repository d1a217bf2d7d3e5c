#pragma once
// The DTS/AC3 speaker-mode filter's page (template 236): six radio buttons choosing the
// speaker mode, written the moment one is clicked.

#include "pages/SettingsPage.h"

namespace zelora {

class SoundKorrin final : public SettingsPage {
public:
    explicit SoundKorrin(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
