#pragma once
// What the finder asks of its embedded browser. The real one hosts the system's web
// browser control (BrowserView); the tests put a recorder in its place.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace zelora {

class Browser {
public:
    virtual ~Browser() = default;

    // The view's child window: placed by the finder, and the key router's test of whether
    // the focus is inside the page.
    virtual HWND Hwnd() const = 0;
    virtual void Navigate(const std::string& address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // Lets the page handle a key typed inside it (its own accelerators, Tab, Enter in a
    // form); true when the page consumed the message.
    virtual bool TranslatePageKey(MSG& msg) = 0;
};

// Makes the browser as a child of `parent` with window id `id`.
using BrowserFactory = std::function<std::unique_ptr<Browser>(HWND parent, int id)>;

}  // namespace zelora
