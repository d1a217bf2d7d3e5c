#include "platform/win/Painter.h"

#include "platform/win/Dialog.h"

#include <algorithm>

namespace zelora::win {

UniqueBitmap LoadSkinBitmap(int id)
{
    return UniqueBitmap(static_cast<HBITMAP>(::LoadImageW(
        ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

BitmapSource::~BitmapSource()
{
    if (m_original) ::SelectObject(m_dc.Get(), m_original);
}

void BitmapSource::Copy(HDC dc, HBITMAP bitmap, int x, int y, int width, int height,
                        int sourceX, int sourceY)
{
    if (!bitmap || !m_dc || sourceX < 0 || sourceY < 0) return;
    const SIZE size = BitmapSize(bitmap);
    const int restWidth = size.cx - sourceX;
    const int restHeight = size.cy - sourceY;
    width = width < 0 ? restWidth : std::min(width, restWidth);
    height = height < 0 ? restHeight : std::min(height, restHeight);
    if (width <= 0 || height <= 0) return;
    const HGDIOBJ previous = ::SelectObject(m_dc.Get(), bitmap);
    if (!m_original) m_original = previous;
    ::BitBlt(dc, x, y, width, height, m_dc.Get(), sourceX, sourceY, SRCCOPY);
}

BackBuffer::BackBuffer(HWND window, HDC target) : m_target(target), m_source(target)
{
    RECT client{};
    ::GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    m_memory.Reset(::CreateCompatibleDC(target));
    if (m_memory) m_bitmap.Reset(::CreateCompatibleBitmap(target, m_width, m_height));
    // Without the off-screen picture (out of GDI memory) everything is drawn straight to
    // the target: it may flicker, but the page is not left blank.
    if (m_bitmap) m_previous = ::SelectObject(m_memory.Get(), m_bitmap.Get());
}

BackBuffer::~BackBuffer()
{
    if (!m_bitmap) return;
    ::BitBlt(m_target, 0, 0, m_width, m_height, m_memory.Get(), 0, 0, SRCCOPY);
    ::SelectObject(m_memory.Get(), m_previous);
}

HDC BackBuffer::Dc() const { return m_bitmap ? m_memory.Get() : m_target; }

void BackBuffer::Fill(COLORREF color)
{
    UniqueBrush brush(::CreateSolidBrush(color));
    RECT all{0, 0, m_width, m_height};
    ::FillRect(Dc(), &all, brush.Get());
}

void BackBuffer::Draw(HBITMAP bitmap, int x, int y, int width, int height, int sourceX,
                      int sourceY)
{
    m_source.Copy(Dc(), bitmap, x, y, width, height, sourceX, sourceY);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    BitmapSource(dc).Copy(dc, bitmap, x, y, width, height);
}

}  // namespace zelora::win
