#pragma once
// The VSFilter subtitle renderer's page (template 237).

#include "pages/SettingsPage.h"

namespace zelora {

class CaptionVSFilter final : public SettingsPage {
public:
    explicit CaptionVSFilter(RegistryBackend& registry = SystemRegistry());
    // Only for an installed renderer: otherwise nothing is written and no control changes.
    void ResetDefaults() override;
};

}  // namespace zelora
