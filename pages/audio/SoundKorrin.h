#pragma once
// SoundKorrin is the DTS speaker-setup page (template 236), named after the DTS decoder it
// sets up: six radio buttons choose the speaker layout, written the moment one is clicked.

#include "pages/SettingsPage.h"

namespace zelora {

class SoundKorrin final : public SettingsPage {
public:
    explicit SoundKorrin(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
