#include "platform/win/Painter.h"

#include "platform/image/DibImage.h"
#include "platform/win/Dialog.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace zelora::win {

UniqueBitmap LoadSkinBitmap(int id)
{
    // Decoded here rather than by LoadImage: the skin is run-length encoded, which not
    // every loader turns into a DIB section.
    const HMODULE module = ModuleInstance();
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    const std::optional<DibImage> image = DecodeDib(
        {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(::SizeofResource(module, resource))});
    if (!image) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height;  // top row first, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    std::memcpy(bits, image->pixels.data(), image->pixels.size() * sizeof image->pixels[0]);
    return bitmap;
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
