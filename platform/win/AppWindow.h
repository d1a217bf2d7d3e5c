#pragma once
// What both programs' main windows do alike as top-level windows: an About entry in the
// system menu that opens the program's About box, the program's icon (big and small), and
// the icon drawn while minimised.

#include "platform/win/Dialog.h"

namespace zelora::win {

class AppWindow : public ModalDialog {
protected:
    // The About entry's text is string resource `aboutTextId`; choosing it sends the system
    // command `aboutCommandId`.
    AppWindow(int templateId, UINT aboutTextId, UINT aboutCommandId)
        : ModalDialog(templateId), m_aboutTextId(aboutTextId), m_aboutCommandId(aboutCommandId)
    {
    }

    // From OnInit, once the window has a system menu style: gives it `icon`, which must
    // outlive it, and adds the About entry after a separator (none when its string is empty
    // or missing).
    void SetUpAppWindow(HICON icon);
    // The program's About box, run modally over this window.
    virtual void RunAboutBox() = 0;

    bool OnSysCommand(UINT command) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The WM_PAINT of a minimised window: its icon background erased, the icon centred.
    // False when the window is not minimised (it paints as usual).
    bool PaintIfMinimised();

    UINT m_aboutTextId;
    UINT m_aboutCommandId;
    HICON m_icon = nullptr;
};

}  // namespace zelora::win
