#pragma once
// Flicker-free skin painting: everything is drawn into one off-screen bitmap covering the
// part of the client area being painted, then copied to the window in one blit.

#include "platform/ui/Dpi.h"
#include "platform/win/UniqueHandle.h"

#include <map>

namespace zelora::win {

// A skin picture of this program for `dpi`, ScaleForDpi of its 96-DPI size on each side:
// the picture drawn for that scale where the program carries one (96 and 192), else the
// nearest larger one scaled down with an area filter (above the largest: it scaled up).
// Null when the program has no such picture.
UniqueBitmap LoadSkinBitmap(int id, int dpi);
inline UniqueBitmap LoadSkinBitmap(int id) { return LoadSkinBitmap(id, kBaseDpi); }

// A window's skin bitmaps for its DPI, each decoded at its first use and kept: a start
// pays only for the pictures it shows (hidden buttons, hover images and hidden pages wait).
class SkinImages {
public:
    HBITMAP Get(int id) { return Get(id, Dpi()); }
    // At another DPI than the last call's, the pictures kept are let go and drawn anew.
    HBITMAP Get(int id, Dpi dpi);

private:
    std::map<int, UniqueBitmap> m_loaded;  // by id; a missing resource is kept as null
    Dpi m_dpi;
};
SIZE BitmapSize(HBITMAP bitmap);

// One source device context for every copy of a paint: each bitmap is selected into it in
// turn, rather than a context being made per copy.
class BitmapSource {
public:
    explicit BitmapSource(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~BitmapSource();
    BitmapSource(const BitmapSource&) = delete;
    BitmapSource& operator=(const BitmapSource&) = delete;

    // Copies the part of `bitmap` at (sourceX, sourceY) to (x, y) of `dc`, at most
    // width x height and never beyond the bitmap's own edges; width/height -1 take the rest
    // of the bitmap.
    void Copy(HDC dc, HBITMAP bitmap, int x, int y, int width = -1, int height = -1,
              int sourceX = 0, int sourceY = 0);

private:
    UniqueMemoryDc m_dc;
    HGDIOBJ m_original = nullptr;  // the context's own bitmap, put back at the end
};

class BackBuffer {
public:
    BackBuffer(HWND window, HDC target);
    ~BackBuffer();  // copies the picture to the target (or, without one, nothing was drawn)
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    HDC Dc() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(COLORREF color);
    // A plain copy of `bitmap` (or of its part at sourceX, sourceY) to (x, y); width/height
    // -1 take the bitmap's own size, and no copy reaches beyond the bitmap.
    void Draw(HBITMAP bitmap, int x, int y, int width = -1, int height = -1, int sourceX = 0,
              int sourceY = 0);

private:
    HDC m_target;
    int m_width;
    int m_height;
    RECT m_area{};  // client pixels the picture covers: what the target's clipping lets through
    UniqueMemoryDc m_memory;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    BitmapSource m_source;
};

// Plain copy of `bitmap` straight onto `dc` (owner-drawn buttons), within its own size.
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);

}  // namespace zelora::win
