#include "platform/win/Painter.h"

#include "platform/win/Dialog.h"

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

BackBuffer::BackBuffer(HWND window, HDC target) : m_target(target)
{
    RECT client{};
    ::GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    m_memory.Reset(::CreateCompatibleDC(target));
    m_bitmap.Reset(::CreateCompatibleBitmap(target, m_width, m_height));
    m_previous = ::SelectObject(m_memory.Get(), m_bitmap.Get());
}

BackBuffer::~BackBuffer()
{
    ::BitBlt(m_target, 0, 0, m_width, m_height, m_memory.Get(), 0, 0, SRCCOPY);
    ::SelectObject(m_memory.Get(), m_previous);
}

void BackBuffer::Fill(COLORREF color)
{
    UniqueBrush brush(::CreateSolidBrush(color));
    RECT all{0, 0, m_width, m_height};
    ::FillRect(m_memory.Get(), &all, brush.Get());
}

void BackBuffer::Draw(HBITMAP bitmap, int x, int y, int width, int height)
{
    if (!bitmap) return;
    if (width < 0 || height < 0) {
        const SIZE size = BitmapSize(bitmap);
        width = size.cx;
        height = size.cy;
    }
    DrawBitmap(m_memory.Get(), bitmap, x, y, width, height);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    if (!bitmap) return;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectGuard select(source.Get(), bitmap);
    ::BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace zelora::win
