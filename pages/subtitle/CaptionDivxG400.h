#pragma once
// The DivX G400 subtitle and display filter's page (template 238).

#include "pages/SettingsPage.h"

namespace zelora {

class CaptionDivxG400 final : public SettingsPage {
public:
    explicit CaptionDivxG400(RegistryBackend& registry = SystemRegistry());
};

}  // namespace zelora
