#pragma once
// Our small dialog framework: a window built from a dialog template, whose procedure finds
// its object through the window's user data and hands every message to one virtual
// `OnMessage`, which dispatches to a few typed handlers. Modal dialogs run their own loop so
// that Return and Escape can be swallowed before the dialog manager sees them.

#include <windows.h>

namespace zelora::win {

HINSTANCE ModuleInstance();

// Places a top-level window's centre on its owner's (on its monitor's work area when it has
// no owner), kept inside that work area: where the system's dialog framework puts a box
// whose template gives no position.
void CenterOnOwner(HWND window);

class Dialog {
public:
    explicit Dialog(int templateId) : m_templateId(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally (disabling `owner` meanwhile); returns the result given to End.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog modeless (a page: a child of `parent`, hidden until shown).
    bool Create(HWND parent);

    HWND Hwnd() const { return m_hwnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    int TemplateId() const { return m_templateId; }
    void End(INT_PTR result);

    // Whether `msg` is a Return or Escape key-down meant for this window or one inside it.
    bool IsSwallowedKey(const MSG& msg) const;
    // Input aimed at this window or one inside it, before it is dispatched; true when
    // consumed. A modeless window (the finder) gets it from the modal loop running beneath.
    virtual bool PreTranslate(MSG& /*msg*/) { return false; }
    // Our dialog whose top-level window holds `hwnd`, or null.
    static Dialog* FromTopLevelOf(HWND hwnd);

protected:
    virtual INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual BOOL OnInit() { return TRUE; }
    // Once, from the modal loop, when the window is up and its queue has first run dry (it
    // is painted and no input waits): start-up work that shows nothing belongs here.
    virtual void OnFirstIdle() {}
    // Returns true when handled. IDOK/IDCANCEL end a modal dialog unless handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnEraseBackground(HDC /*dc*/) { return false; }
    virtual HBRUSH OnControlColor(HDC /*dc*/, HWND /*control*/, UINT /*msg*/) { return nullptr; }
    virtual bool OnMouse(UINT /*msg*/, WPARAM /*keys*/, POINT /*client*/) { return false; }
    virtual void OnDestroy() {}

    // Handlers that want the default processing too return false; this sets the result
    // for those that return true.
    void SetResult(LRESULT result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace zelora::win
