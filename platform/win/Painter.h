#pragma once
// Flicker-free skin painting: everything is drawn into one off-screen bitmap of the client
// size, then copied to the window in one blit.

#include "platform/win/UniqueHandle.h"

namespace zelora::win {

// Loads a bitmap resource of this program; null when it does not exist.
UniqueBitmap LoadSkinBitmap(int id);
SIZE BitmapSize(HBITMAP bitmap);

class BackBuffer {
public:
    BackBuffer(HWND window, HDC target);
    ~BackBuffer();  // copies the picture to the target
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    HDC Dc() const { return m_memory.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(COLORREF color);
    // A plain copy of `bitmap` to (x, y); width/height -1 take the bitmap's own size.
    void Draw(HBITMAP bitmap, int x, int y, int width = -1, int height = -1);

private:
    HDC m_target;
    int m_width;
    int m_height;
    UniqueMemoryDc m_memory;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

// Plain copy of `bitmap` straight onto `dc` (owner-drawn buttons).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);

}  // namespace zelora::win
