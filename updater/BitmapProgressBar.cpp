#include "updater/BitmapProgressBar.h"

#include "platform/win/Painter.h"
#include "platform/win/WindowDpi.h"

#include <commctrl.h>

namespace zelora::updater {
namespace {

// The trough the bar runs in, matching the skin's body colours.
constexpr COLORREF kTrough = RGB(222, 227, 234);
constexpr COLORREF kTroughEdge = RGB(180, 189, 201);

}  // namespace

BitmapProgressBar::~BitmapProgressBar()
{
    if (m_hwnd) ::RemoveWindowSubclass(m_hwnd, &SubclassProc, 0);
}

void BitmapProgressBar::Attach(HWND control)
{
    m_hwnd = control;
    if (m_hwnd) ::SetWindowSubclass(m_hwnd, &SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void BitmapProgressBar::SetRange(int lower, int upper)
{
    m_range = {lower, upper};
    ::SendMessageW(m_hwnd, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void BitmapProgressBar::SetPos(int position)
{
    m_position = m_range.Clamp(position);
    ::SendMessageW(m_hwnd, PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

bool BitmapProgressBar::SetBitmap(int bitmapId, bool redraw)
{
    m_bar = win::LoadSkinBitmap(bitmapId, win::DpiOf(m_hwnd).Value());
    m_barSize = win::BitmapSize(m_bar.Get());
    if (m_barSize.cx <= 0 || m_barSize.cy <= 0) {
        m_bar.Reset();
        return false;
    }
    if (redraw) ::InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

void BitmapProgressBar::Paint(HDC dc) const
{
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_STYLE));
    const bool border = (style & WS_BORDER) != 0;
    const BarLayout layout = LayoutBar({client.left, client.top, client.right, client.bottom},
                                       border, (style & PBS_VERTICAL) != 0, m_range, m_position);

    win::UniqueBrush edge(::CreateSolidBrush(border ? RGB(0, 0, 0) : kTroughEdge));
    win::UniqueBrush trough(::CreateSolidBrush(kTrough));
    ::FillRect(dc, &client, trough.Get());
    ::FrameRect(dc, &client, edge.Get());

    const Rect& bar = layout.bar;
    if (!m_bar || layout.inner.Width() <= 0 || layout.inner.Height() <= 0 || bar.Width() <= 0 ||
        bar.Height() <= 0)
        return;
    // Tiled off screen, then copied in one blit.
    win::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    win::UniqueBitmap canvas(::CreateCompatibleBitmap(dc, bar.Width(), bar.Height()));
    win::SelectGuard select(memory.Get(), canvas.Get());
    const TileGrid tiles = TilesFor(bar, m_barSize.cx, m_barSize.cy);
    for (int row = 0; row < tiles.rows; ++row)
        for (int column = 0; column < tiles.columns; ++column)
            win::DrawBitmap(memory.Get(), m_bar.Get(), column * m_barSize.cx, row * m_barSize.cy,
                            m_barSize.cx, m_barSize.cy);
    ::BitBlt(dc, bar.left, bar.top, bar.Width(), bar.Height(), memory.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK BitmapProgressBar::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR self)
{
    auto* bar = reinterpret_cast<BitmapProgressBar*>(self);
    switch (msg) {
    case WM_ERASEBKGND:
        return bar->m_bar ? 1 : ::DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        if (!bar->m_bar) break;  // no bitmap: the control paints itself
        {
            const win::PaintDc dc(hwnd);
            bar->Paint(dc.Get());
        }
        return 0;
    default:
        break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace zelora::updater
