#pragma once
// The movie finder: a resizable, caption-less skinned window in which the user picks a
// category and a site, types a title and sees the site's page in the embedded browser.
// Created hidden by the main window; its close image only hides it.

#include "finder/Browser.h"
#include "finder/SiteCatalogue.h"
#include "finder/WinCp949Encoder.h"
#include "platform/win/Dialog.h"
#include "platform/win/HotAreaView.h"
#include "platform/win/OleSession.h"
#include "platform/registry/RegistryStore.h"

#include <functional>
#include <map>

namespace zelora {

class FinderWindow final : public win::ModelessDialog {
public:
    // Runs the home-page box for the finder (the tests put a recorder there).
    using HomeBoxRunner = std::function<void(HWND finder)>;

    // Reads and writes `registry`, which must outlive the window. With the system's browser
    // control and the real home-page box unless given others.
    explicit FinderWindow(RegistryBackend& registry);
    FinderWindow(RegistryBackend& registry, BrowserFactory makeBrowser, HomeBoxRunner runHomeBox);
    ~FinderWindow() override;

    bool PreTranslate(MSG& msg) override;

    Browser* View() const { return m_browser.get(); }
    const std::string& CurrentAddress() const { return m_currentAddress; }
    bool Maximized() const { return m_maximized; }

protected:
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInit() override;
    bool OnDpiChanged(Dpi from, Dpi to, const RECT& suggested) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnEraseBackground(HDC dc) override;
    HBRUSH OnControlColor(HDC dc, HWND control, UINT msg) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;
    void OnDestroy() override;

private:
    void FillSites(int category);
    void Search();
    void Relayout();
    void LoadFrame();      // the frame's pictures for the window's DPI
    void PlaceControls();  // the search controls at their places, for the window's DPI
    void ToggleMaximize();
    void RunAction(std::size_t button);
    void Navigate(const std::string& address);
    bool HitsButton(POINT p) const;
    void TabStops(win::FocusStops& stops) const;
    LRESULT HitTest(LPARAM point) const;

    // First, so it ends last: the browser control is torn down while OLE is still up.
    win::OleSession m_ole;
    RegistryStore m_store;
    FinderSettings m_settings{m_store};
    WinCp949Encoder m_encoder;
    BrowserFactory m_makeBrowser;
    HomeBoxRunner m_runHomeBox;
    std::unique_ptr<Browser> m_browser;
    win::HotAreaView m_buttons;
    win::KeyboardFocus m_keyboard{[this](win::FocusStops& stops) { TabStops(stops); }};
    std::map<int, win::UniqueBitmap> m_frame;  // the skin around the buttons, by id
    win::UniqueBrush m_checkBrush;
    COLORREF m_checkColor = 0;
    HICON m_dragIcon = nullptr;
    std::string m_currentAddress;
    int m_quickSearch = 0;
    bool m_maximized = false;
    RECT m_restore{};  // left, top, right, bottom of the window before maximizing
};

}  // namespace zelora
