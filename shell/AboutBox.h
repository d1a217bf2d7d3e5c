#pragma once
// The About box, opened from the main window's system menu.

#include "platform/win/Dialog.h"
#include "resources/resource.h"

namespace zelora {

class AboutBox final : public win::Dialog {
public:
    AboutBox() : win::Dialog(IDD_ABOUTBOX) {}
};

}  // namespace zelora
