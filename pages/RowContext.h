#pragma once
// What a row kind may use of the page it works for: the page's controls, the registry its
// values live in, whether its decoder is installed, and the guarded text exchange. The row
// kinds see only this; PageModel answers it.

#include "pages/PageControls.h"
#include "platform/registry/RegistryStore.h"

namespace zelora {

class RowContext {
public:
    virtual RegistryStore& Registry() = 0;
    virtual PageControls& Controls() = 0;
    virtual bool DecoderInstalled() const = 0;
    // The dialog-data exchange, with the page's own change notifications ignored meanwhile.
    virtual void PushTexts() = 0;
    virtual void PullTexts() = 0;

protected:
    ~RowContext() = default;
};

}  // namespace zelora
