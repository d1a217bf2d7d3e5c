#pragma once
// The keyboard's way through a window: Tab and Shift+Tab walk one list of stops in the order
// the window gives (its controls, and the images on its background that act), Enter and
// Space act on the focused image or push button, and skinned controls show a focus mark
// once a key has moved the focus (never for a mouse user, whose pictures stay as they are).

#include <windows.h>

#include <functional>
#include <vector>

namespace zelora::win {

// Images drawn on a window's background that act (hot areas) and take the keyboard focus in
// turn. While one has it the window itself holds the system's focus.
class FocusParts {
public:
    virtual int FocusPartCount() const = 0;
    virtual RECT FocusPartRect(int part) const = 0;  // client coordinates
    virtual int FocusedPart() const = 0;             // -1: none
    // `part` (-1: none) shows the focus mark; the others lose it.
    virtual void SetFocusedPart(int part) = 0;
    virtual void ActivatePart(int part) = 0;
    // Whether `part` is a stop now (a greyed slider is not).
    virtual bool PartTakesFocus(int /*part*/) const { return true; }
    // A key-down while `part` has the focus, before the walk's own keys; true when consumed
    // (a slider's arrows).
    virtual bool PartKey(int /*part*/, WPARAM /*key*/) { return false; }

protected:
    ~FocusParts() = default;
};

struct FocusStop {
    HWND window = nullptr;  // a control, or the window `part` is drawn on
    int part = -1;          // -1: the control itself
    bool operator==(const FocusStop&) const = default;
};
using FocusStops = std::vector<FocusStop>;

// Whether the skinned controls of `window`'s top-level window show their focus mark: once a
// navigation key was pressed there, and while the window's state does not hide focus marks.
bool FocusMarksShown(HWND window);
// Every key-down of a message loop: a navigation key (Tab, an arrow, Enter, Space) turns the
// marks of its top-level window on, before the key moves the focus.
void NoteNavigationKey(const MSG& msg);
// A dotted frame just inside `rect`: the focus mark of a skinned control.
void DrawFocusMark(HDC dc, RECT rect);

// Space, or Enter once the keyboard moved the focus (`focusByKeyboard`), pressed on a push
// button (owner-drawn ones too): the button is clicked, as a mouse click does; true when
// the key was that.
bool PressFocusedButton(const MSG& msg, bool focusByKeyboard);

// The tab stops inside `container` (a page) in visual order: rows from the top, each from
// the left; its images that take the focus among them.
void AppendTabStops(FocusStops& stops, HWND container);

class KeyboardFocus {
public:
    // Fills the stops in their order; only shown, enabled ones are walked.
    using Order = std::function<void(FocusStops&)>;
    explicit KeyboardFocus(Order order) : m_order(std::move(order)) {}

    // A key-down before dialog processing: Tab and Shift+Tab move along the stops (unless the
    // control wants Tab itself), an arrow moves from an image to the next stop, Enter and
    // Space act on a focused image. True when consumed.
    bool PreTranslate(const MSG& msg);

private:
    void Move(int step);

    Order m_order;
};

}  // namespace zelora::win
