#pragma once
// Accessible objects for what the system's own object describes badly: skinned buttons it
// calls "client" with an English or no name, controls it gives no role (Wine gives every
// control "client"), and images on a window's background that are not windows at all.
// Our object starts from the system's and replaces only what the source knows; the
// windowless parts become its simple children, numbered after the system's children.
// oleacc is loaded when a screen reader first asks, never at start-up.

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace zelora::win {

// mingw-w64's IID_IAccessible in liboleacc.a is a thunk, not the GUID.
inline constexpr GUID kIidAccessible{0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// What a source says of its window or of one part. Empty or zero fields leave the
// system's answer; a role of "client" from the system is never kept when the source has one.
struct AccessibleFacts {
    std::wstring name;
    long role = 0;             // ROLE_SYSTEM_...
    long state = 0;            // STATE_SYSTEM_... added to the system's (parts: all of it)
    std::wstring defaultAction;
    std::wstring shortcut;     // "Alt+X"
    std::wstring value;        // a slider's level, say
};

class AccessibleSource {
public:
    virtual AccessibleFacts Self() const = 0;
    // Windowless parts: hot areas, sliders drawn on the window.
    virtual int PartCount() const { return 0; }
    virtual AccessibleFacts Part(int /*index*/) const { return {}; }
    virtual RECT PartRect(int /*index*/) const { return {}; }  // client coordinates
    // A screen reader asked for the default action; runs later from the window's queue, not
    // inside the reader's call. Index -1: the window itself (false: the system's action).
    virtual bool DoDefaultAction(int /*index*/) { return false; }

protected:
    ~AccessibleSource() = default;
};

class AccessibleObject;

// Held by the window (or its subclass procedure): answers WM_GETOBJECT with the object,
// runs the actions the object queued, and on WM_DESTROY cuts the object off from the window
// (a screen reader may keep its reference long after).
class AccessibleBridge {
public:
    explicit AccessibleBridge(AccessibleSource& source) : m_source(source) {}
    ~AccessibleBridge();
    AccessibleBridge(const AccessibleBridge&) = delete;
    AccessibleBridge& operator=(const AccessibleBridge&) = delete;

    // True when the message was the bridge's; `result` is then the window's answer.
    bool Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Events a screen reader follows (EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE), for
    // part `index` (-1: the window).
    void Notify(HWND hwnd, DWORD event, int partIndex);

private:
    AccessibleObject* Object(HWND hwnd);  // made at the first question
    void Disconnect();

    AccessibleSource& m_source;
    AccessibleObject* m_object = nullptr;  // one reference, while the window lives
};

// Role, name and state for a standard control the system under-describes, from its class,
// style and the label that precedes it in the tab order.
AccessibleFacts StandardControlFacts(HWND control);

// The name a control's label cannot give (its label is a picture, or there is none).
// `name` must outlive the control: a string of a table.
void SetAccessibleName(HWND control, const wchar_t* name);

// Marks a window that describes itself (a skinned button with a bridge of its own), so that
// DescribeStandardControls leaves it alone.
void MarkSelfDescribed(HWND window);

// Gives every child control of `parent` (a page, the finder) the facts above behind its
// WM_GETOBJECT; each keeps its subclass until it is destroyed.
void DescribeStandardControls(HWND parent);
// The same for one control made later (the finder's browser view).
void DescribeStandardControl(HWND control);

}  // namespace zelora::win
