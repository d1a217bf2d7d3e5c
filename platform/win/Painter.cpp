#include "platform/win/Painter.h"

#include "platform/image/DibImage.h"
#include "platform/image/SkinArt.h"
#include "platform/win/Dialog.h"
#include "platform/win/WideText.h"
#include "resources/skin/Skin.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

namespace zelora::win {
namespace {

// The portable decoder reads bitmap resources at fixed offsets; they must be where the
// system's structures put them, in the 32-bit build as in the 64-bit one.
static_assert(sizeof(BITMAPINFOHEADER) == dib::kInfoHeaderBytes);
static_assert(offsetof(BITMAPINFOHEADER, biSize) == dib::kHeaderSizeAt);
static_assert(offsetof(BITMAPINFOHEADER, biWidth) == dib::kWidthAt);
static_assert(offsetof(BITMAPINFOHEADER, biHeight) == dib::kHeightAt);
static_assert(offsetof(BITMAPINFOHEADER, biPlanes) == dib::kPlanesAt);
static_assert(offsetof(BITMAPINFOHEADER, biBitCount) == dib::kBitCountAt);
static_assert(offsetof(BITMAPINFOHEADER, biCompression) == dib::kCompressionAt);
static_assert(offsetof(BITMAPINFOHEADER, biClrUsed) == dib::kColoursUsedAt);
static_assert(BI_RGB == dib::kRgb && BI_RLE8 == dib::kRle8);
// Colour table entries and 24-bit pixels: blue, green, red.
static_assert(sizeof(RGBQUAD) == dib::kColourEntryBytes);
static_assert(offsetof(RGBQUAD, rgbBlue) == 0 && offsetof(RGBQUAD, rgbGreen) == 1 &&
              offsetof(RGBQUAD, rgbRed) == 2);
static_assert(sizeof(RGBTRIPLE) == 3 && offsetof(RGBTRIPLE, rgbtBlue) == 0 &&
              offsetof(RGBTRIPLE, rgbtGreen) == 1 && offsetof(RGBTRIPLE, rgbtRed) == 2);
// A decoded 0x00RRGGBB pixel is copied as is into a 32-bit DIB, which reads it as RGBQUAD.
static_assert(sizeof(decltype(DibImage::pixels)::value_type) == sizeof(RGBQUAD) &&
              std::endian::native == std::endian::little);

// The bytes of a resource of this program; empty when it does not exist.
std::span<const std::uint8_t> ResourceBytes(int id, const wchar_t* type)
{
    const HMODULE module = ModuleInstance();
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(::SizeofResource(module, resource))};
}

// The skin as the generator's resource script stores it: type "SKIN<dpi>" by picture id,
// the palettes under "SKINPALETTES" by DPI.
class ResourceArt final : public SkinArtSource {
public:
    std::span<const std::uint8_t> Picture(int id, int artDpi) override
    {
        return ResourceBytes(id, (L"SKIN" + Wide(std::to_string(artDpi))).c_str());
    }
    std::span<const std::uint8_t> Palettes(int artDpi) override { return ResourceBytes(artDpi, L"SKINPALETTES"); }
};

// A top-down 32-bit section of `width` x `height` for a picture to be decoded into.
UniqueBitmap MakeSection(int width, int height, std::uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    UniqueBitmap section(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = section ? static_cast<std::uint32_t*>(memory) : nullptr;
    return section;
}

}  // namespace

HBITMAP SkinImages::Get(int id, Dpi dpi)
{
    if (dpi != m_dpi) {
        m_loaded.clear();
        m_dpi = dpi;
    }
    auto found = m_loaded.find(id);
    if (found == m_loaded.end()) found = m_loaded.emplace(id, LoadSkinBitmap(id, dpi.Value())).first;
    return found->second.Get();
}

UniqueBitmap LoadSkinBitmap(int id, int dpi)
{
    // Decoded here rather than by LoadImage, since the skin is stored in its own compact
    // form, and straight into the bitmap's memory. One art per program keeps each scale's
    // decoded palettes; the lock is for the rare picture loaded off the window's thread.
    static std::mutex lock;
    static ResourceArt resources;
    static SkinArt art(resources, skin::kArtDpis);
    UniqueBitmap bitmap;
    const auto place = [&bitmap](int width, int height) {
        std::uint32_t* bits = nullptr;
        bitmap = MakeSection(width, height, bits);
        return bits;
    };
    const std::lock_guard<std::mutex> held(lock);
    if (!art.LoadInto(id, dpi, place)) return {};
    return bitmap;
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
    // Only the part the target lets through is drawn and copied: a hover image or a moved
    // knob invalidates a few dozen pixels, not the whole window. Callers draw in client
    // coordinates as before; the view origin maps them onto the smaller picture.
    RECT clip{};
    const int kind = ::GetClipBox(target, &clip);
    if (kind == ERROR || kind == NULLREGION || !::IntersectRect(&m_area, &clip, &client))
        m_area = client;
    m_memory.Reset(::CreateCompatibleDC(target));
    if (m_memory)
        m_bitmap.Reset(::CreateCompatibleBitmap(target, m_area.right - m_area.left,
                                                m_area.bottom - m_area.top));
    // Without the off-screen picture (out of GDI memory) everything is drawn straight to
    // the target: it may flicker, but the page is not left blank.
    if (m_bitmap) {
        m_previous = ::SelectObject(m_memory.Get(), m_bitmap.Get());
        ::SetViewportOrgEx(m_memory.Get(), -m_area.left, -m_area.top, nullptr);
    }
}

BackBuffer::~BackBuffer()
{
    if (!m_bitmap) return;
    ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left,
             m_area.bottom - m_area.top, m_memory.Get(), m_area.left, m_area.top, SRCCOPY);
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
