#pragma once
// What the main window asks of each of its twelve pages, and all it knows of them: the main
// window calls Load and Layout when a settings page's button is pressed, Shown whenever it
// has shown a page (first time or again), and ResetDefaults from the install check. Each
// page decides for itself what a show means to it (a first-show preparation, a refresh).

#include "pages/PageFrame.h"
#include "platform/win/Dialog.h"

namespace zelora {

// The pages' background (kPageBackground) as GDI takes it.
inline constexpr COLORREF kPageBackgroundColor =
    RGB(kPageBackground.red, kPageBackground.green, kPageBackground.blue);

class Page : public win::ModelessDialog {
public:
    using win::ModelessDialog::ModelessDialog;

    virtual void Load() {}
    virtual void Layout() {}
    virtual void Shown() {}
    virtual void ResetDefaults() {}
};

}  // namespace zelora
