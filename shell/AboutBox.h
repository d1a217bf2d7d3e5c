#pragma once
// The About box, opened from the main window's system menu.

#include "platform/win/Dialog.h"
#include "resources/resource.h"

namespace zelora {

class AboutBox final : public win::ModalDialog {
public:
    AboutBox() : win::ModalDialog(IDD_ABOUTBOX) {}

protected:
    // Template 100 gives no position: the box opens centred on the main window, not over
    // its logo at the client origin.
    BOOL OnInit() override
    {
        win::CenterOnOwner(Hwnd());
        return TRUE;
    }
};

}  // namespace zelora
