#pragma once
// A progress bar control that paints its filled part by tiling a skin bitmap.

#include "platform/win/UniqueHandle.h"
#include "updater/ProgressGeometry.h"

namespace zelora::updater {

class BitmapProgressBar {
public:
    BitmapProgressBar() = default;
    ~BitmapProgressBar();
    BitmapProgressBar(const BitmapProgressBar&) = delete;
    BitmapProgressBar& operator=(const BitmapProgressBar&) = delete;

    void Attach(HWND control);
    void SetRange(int lower, int upper);
    void SetPos(int position);
    int Pos() const { return m_position; }
    // False, with no bitmap kept, when the bitmap cannot be loaded or measured.
    bool SetBitmap(int bitmapId, bool redraw);
    HWND Hwnd() const { return m_hwnd; }

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void Paint(HDC dc) const;

    HWND m_hwnd = nullptr;
    ProgressRange m_range;
    int m_position = 0;
    win::UniqueBitmap m_bar;
    SIZE m_barSize{};
};

}  // namespace zelora::updater
