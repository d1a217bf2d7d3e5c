#pragma once
// The home-page box: a caption-less skinned picture with three images (close, go to the
// product home page, OK), opened modally from the finder's info image. Dragged by its
// upper part while the left button is held.

#include "platform/win/Dialog.h"
#include "platform/win/HotAreaView.h"

#include <functional>
#include <string>

namespace zelora {

class HomePageBox final : public win::ModalDialog {
public:
    // Opens a program with parameters (the shell's "open" verb by default).
    using Opener = std::function<void(const std::wstring& file, const std::wstring& parameters)>;

    HomePageBox();
    explicit HomePageBox(Opener open);

protected:
    BOOL OnInit() override;
    bool OnEraseBackground(HDC dc) override;
    bool OnMouse(UINT msg, WPARAM keys, POINT p) override;
    bool PreTranslate(MSG& msg) override { return m_keyboard.PreTranslate(msg); }

private:
    void RunButton(std::size_t button);

    Opener m_open;
    win::UniqueBitmap m_background;
    win::HotAreaView m_buttons;
    win::KeyboardFocus m_keyboard;
};

}  // namespace zelora
