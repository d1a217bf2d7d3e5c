#pragma once
// Our small dialog framework: a window built from a dialog template, whose procedure finds
// its object through the window's user data and hands every message to one virtual
// `OnMessage`, which dispatches to a few typed handlers. Two kinds share that base: a modal
// dialog, which runs its own loop (so that Return and Escape can be swallowed before the
// dialog manager sees them) and whose end stops the loop, and a modeless one (a page, the
// finder), which lives under another window's loop and whose end destroys it.

#include "platform/win/Accessible.h"
#include "platform/win/WindowDpi.h"
#include "platform/win/KeyboardFocus.h"

#include <windows.h>

#include <memory>

namespace zelora::win {

HINSTANCE ModuleInstance();

// Places a top-level window's centre on its owner's (on its monitor's work area when it has
// no owner), kept inside that work area: where the system's dialog framework puts a box
// whose template gives no position.
void CenterOnOwner(HWND window);

class Dialog {
public:
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    int TemplateId() const { return m_templateId; }
    // Ends the dialog with `result`, as its kind ends.
    virtual void End(INT_PTR result) = 0;

    // Input aimed at this window or one inside it, before it is dispatched; true when
    // consumed. A modeless window (the finder) gets it from the modal loop running beneath.
    virtual bool PreTranslate(MSG& /*msg*/) { return false; }
    // Our dialog whose top-level window holds `hwnd`, or null.
    static Dialog* FromTopLevelOf(HWND hwnd);
    // Our dialog of `hwnd` itself (a page, say), or null.
    static Dialog* FromWindow(HWND hwnd);

    // The images of this window that take the keyboard focus, or null.
    FocusParts* Parts() const { return m_parts; }
    // Part `part` of them takes the keyboard focus: its mark, the window's own focus and the
    // event screen readers follow.
    void FocusPart(int part);

    // The DPI the window is laid out for (its top-level window's).
    Dpi WindowDpi() const { return DpiOf(m_hwnd); }
    // The window's top-level window moved from `from` to `to` DPI: the children are placed
    // and sized again and given the template's font made for `to`. Windows with places of
    // their own put those back after this.
    void FollowDpi(Dpi from, Dpi to);

protected:
    explicit Dialog(int templateId) : m_templateId(templateId) {}

    // Builds the window from the template as a child or owned window of `parent`; its
    // WM_INITDIALOG has run on return. Null when the window could not be made.
    HWND CreateFromTemplate(HWND parent);

    virtual INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual BOOL OnInit() { return TRUE; }
    // Returns true when handled. A modal dialog ends on IDOK/IDCANCEL unless handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnEraseBackground(HDC /*dc*/) { return false; }
    virtual HBRUSH OnControlColor(HDC /*dc*/, HWND /*control*/, UINT /*msg*/) { return nullptr; }
    virtual bool OnMouse(UINT /*msg*/, WPARAM /*keys*/, POINT /*client*/) { return false; }
    // A timer of this window's own (one set without a timer procedure) went off.
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // A system menu command, its low four bits (the system's own) cleared; true when
    // handled, false leaves it to the system.
    virtual bool OnSysCommand(UINT /*command*/) { return false; }
    // A top-level window's WM_DPICHANGED to another DPI than it is laid out for (already
    // recorded as its DPI when this runs) and the rectangle the system suggests.
    virtual bool OnDpiChanged(Dpi /*from*/, Dpi /*to*/, const RECT& /*suggested*/) { return false; }
    virtual void OnDestroy() {}
    // Whether the standard controls are described to screen readers when WM_INITDIALOG has
    // run; a window that fills them later describes them itself (DescribeStandardControls).
    virtual bool DescribesControlsAtInit() const { return true; }

    // Handlers that want the default processing too return false; this sets the result
    // for those that return true.
    void SetResult(LRESULT result);
    // What the window tells screen readers of itself and its windowless parts (hot areas,
    // sliders), beyond what the system says; `source` must outlive the window.
    void SetAccessibleSource(AccessibleSource& source);
    // Tells screen readers that part `part` (-1: the window) changed, by `event`
    // (EVENT_OBJECT_VALUECHANGE, ...); nothing without a source.
    void NotifyAccessible(DWORD event, int part);
    // Images on the window that take the keyboard focus; `parts` must outlive the window.
    void SetFocusParts(FocusParts& parts) { m_parts = &parts; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Keeps the focus on the window while a part has it (the dialog manager would hand it to
    // a control); the part loses its mark with the window's focus.
    bool HandlePartFocus(UINT msg);

    int m_templateId;
    HWND m_hwnd = nullptr;
    std::unique_ptr<AccessibleBridge> m_access;
    UniqueFont m_dpiFont;  // the template's font remade for a DPI the window moved to
    FocusParts* m_parts = nullptr;
};

// A dialog run in its own loop until it ends: the programs' windows and their boxes.
class ModalDialog : public Dialog {
public:
    explicit ModalDialog(int templateId) : Dialog(templateId) {}

    // Runs the dialog modally (disabling `owner` meanwhile); returns the result given to End.
    INT_PTR RunModal(HWND owner);
    // Makes the window without running its loop, for a message pump of the caller's (the
    // tests drive the programs' windows so). With no loop to return to, End destroys it.
    bool CreateWithoutLoop(HWND owner);
    // Stops the loop, which then destroys the window and returns `result`.
    void End(INT_PTR result) override;

    // What the loop does with a message before dispatching it: the keyboard's handling and
    // the dialog manager's. True when nothing is left to dispatch.
    bool PreDispatch(MSG& msg);
    // Whether `msg` is a Return or Escape key-down meant for this window or one inside it.
    bool IsSwallowedKey(const MSG& msg) const;

protected:
    // IDOK and IDCANCEL (unless OnCommand handled them) and WM_CLOSE end the dialog.
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Once, from the modal loop, when the window is up and its queue has first run dry (it
    // is painted and no input waits): start-up work that shows nothing belongs here.
    virtual void OnFirstIdle() {}

private:
    bool m_looping = false;  // RunModal's loop is on the stack
    bool m_ended = false;
    INT_PTR m_result = 0;
};

// A dialog that lives under another window's loop: a page (a child, hidden until shown) or
// a top-level tool window such as the finder.
class ModelessDialog : public Dialog {
public:
    explicit ModelessDialog(int templateId) : Dialog(templateId) {}

    // Creates the dialog as a child of `parent` or, for a popup template, owned by it.
    bool Create(HWND parent);
    // Destroys the window; `result` has no one to go to.
    void End(INT_PTR result) override;
};

}  // namespace zelora::win
