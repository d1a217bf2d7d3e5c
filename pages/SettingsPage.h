#pragma once
// The Win32 half of every decoder settings page: a child dialog that answers PageModel
// with its real controls (DialogControls), forwards each control's change notification to
// it, paints its skin through one off-screen bitmap and colours its statics with one brush.
// A page is this frame plus its tables; it overrides the hooks below only for what no row
// can say.

#include "pages/DialogControls.h"
#include "pages/PageDescription.h"
#include "pages/PageModel.h"
#include "platform/win/Painter.h"
#include "platform/win/UniqueHandle.h"
#include "pages/Page.h"
#include "platform/registry/RegistryStore.h"

#include <span>

namespace zelora {

class SettingsPage : public Page {
public:
    // Reads and writes `registry`, which must outlive the page.
    SettingsPage(const PageDescription& description, RegistryBackend& registry);

    // Every value from the registry into the controls (missing ones get their defaults,
    // stored at once).
    void Load() override;
    // Once in the page's life: the controls to their pixel places, all disabled when the
    // decoder is not installed.
    void Layout() override;
    // Every control to its reset state, then every value written (on some pages only with
    // the decoder installed).
    void ResetDefaults() override;
    void DpiChanged(Dpi from, Dpi to) override;
    // The member texts into the edit boxes, writing nothing; only texts that differ are
    // set, and the focused edit keeps its caret at the end of its text.
    void RefreshControls();
    // After every show: the edits show the loaded texts, the painted parts are redrawn.
    void OnShown() override;
    // Every value from its control, in table order.
    void SaveAll();

    bool DecoderInstalled() const { return m_model.DecoderInstalled(); }

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnEraseBackground(HDC dc) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;

    // Hooks for the pages with special controls.
    //
    // A notification from one of the page's controls, outside the page's own text
    // exchange. The frame writes the value of the row the control belongs to, when `code`
    // is the control's change notification; a page that overrides this does its extra work
    // and calls the frame's version for the write.
    virtual bool OnControlNotification(int id, int code);
    // Drawn into the off-screen picture after the skin bitmaps, before it reaches the
    // window (the level sliders).
    virtual void PaintOverSkin(win::BackBuffer& /*buffer*/) {}
    // A bitmap of the page's skin, loaded on its first use and kept for the page's life,
    // however often it is drawn.
    HBITMAP SkinImage(int id);

    const PageDescription& Description() const { return m_description; }
    PageModel& Model() { return m_model; }
    RegistryStore& Registry() { return m_store; }
    PageControls& Controls() { return m_controls; }

private:
    PageDescription m_description;
    RegistryStore m_store;
    DialogControls m_controls;  // before the model, which holds it
    PageModel m_model;
    win::SkinImages m_bitmaps;  // loaded at the page's first paint
    win::UniqueBrush m_backgroundBrush;  // for every static, the page's whole life
};

}  // namespace zelora
