#pragma once
// The updater's About box (template 100), opened from its window's system menu where the
// template places it.

#include "../resources/UpdaterResource.h"
#include "platform/win/Dialog.h"

namespace zelora::updater {

class UpdaterAboutBox final : public win::ModalDialog {
public:
    UpdaterAboutBox() : win::ModalDialog(IDD_UPDATER_ABOUT) {}
};

}  // namespace zelora::updater
