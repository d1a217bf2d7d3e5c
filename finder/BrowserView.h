#pragma once
// The finder's embedded web browser: a plain child window in which the system's web
// browser control is activated in place. A small hand-written OLE container: client site,
// in-place site and frame, and a command target that keeps script errors silent.
// Without a usable control the view stays an empty window and every call does nothing.

#include "finder/Browser.h"
#include "platform/win/ComPtr.h"

#include <exdisp.h>
#include <ole2.h>

namespace zelora {

class BrowserSite;

class BrowserView final : public Browser {
public:
    // The factory the finder uses; never null while the window can be created.
    static std::unique_ptr<Browser> Create(HWND parent, int id);
    ~BrowserView() override;  // the control goes first, then the window

    HWND Hwnd() const override { return m_hwnd; }
    void Navigate(const std::string& address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    bool TranslatePageKey(MSG& msg) override;

    // Whether the control was created and activated.
    bool HasControl() const { return static_cast<bool>(m_web); }

private:
    BrowserView() = default;
    void Embed();
    void Resize();
    void TearDown();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    win::ComPtr<BrowserSite> m_site;
    win::ComPtr<IOleObject> m_object;
    win::ComPtr<IOleInPlaceObject> m_inPlace;
    win::ComPtr<IWebBrowser2> m_web;
};

}  // namespace zelora
