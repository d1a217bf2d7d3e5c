#pragma once
// What the main window asks of each of its eleven pages. Settings pages implement Load,
// Layout and ResetDefaults; the two codec pages their one-time preparation; every page
// can push its member data into its controls.

#include "platform/win/Dialog.h"

namespace zelora {

class Page : public win::Dialog {
public:
    using win::Dialog::Dialog;

    virtual void PrepareOnce() {}      // the codec pages' first-show fill
    virtual void RefreshControls() {}  // member data towards the controls
    virtual void Load() {}
    virtual void Layout() {}
    virtual void ResetDefaults() {}
};

// A page painted with the pages' plain background; it holds a page slot whose own
// controls have not been built yet.
class PlainPage : public Page {
public:
    using Page::Page;

protected:
    bool OnEraseBackground(HDC dc) override;
};

}  // namespace zelora
