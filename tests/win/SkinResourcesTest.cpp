// Every skin picture the table names is compiled into Zelora with the table's size, so a
// bitmap left out of the resource script or drawn at the wrong size shows up here.
#include <windows.h>

#include "platform/win/Painter.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

struct SkinEntry {
    int id;
    int width;
    int height;
};

constexpr SkinEntry kBitmaps[] = {
#define SKIN_BITMAP(id, width, height, file) {id, width, height},
#define SKIN_ICON(id, file)
#include "../../resources/skin/SkinTableZelora.inc"
#undef SKIN_BITMAP
#undef SKIN_ICON
};

constexpr int kIcons[] = {
#define SKIN_BITMAP(id, width, height, file)
#define SKIN_ICON(id, file) id,
#include "../../resources/skin/SkinTableZelora.inc"
#undef SKIN_BITMAP
#undef SKIN_ICON
};

TEST(SkinResources, EveryBitmapLoadsAtItsTableSizeScaledForEachDpi)
{
    for (const SkinEntry& entry : kBitmaps) {
        for (int dpi : {0, 96, 120, 144, 168, 192}) {  // 0: the one-argument load, as 96
            win::UniqueBitmap bitmap = dpi ? win::LoadSkinBitmap(entry.id, dpi) : win::LoadSkinBitmap(entry.id);
            ASSERT_TRUE(bitmap) << "bitmap " << entry.id << " at " << dpi;
            const SIZE size = win::BitmapSize(bitmap.Get());
            EXPECT_EQ(size.cx, ScaleForDpi(entry.width, dpi ? dpi : kBaseDpi)) << "bitmap " << entry.id << " at " << dpi;
            EXPECT_EQ(size.cy, ScaleForDpi(entry.height, dpi ? dpi : kBaseDpi)) << "bitmap " << entry.id << " at " << dpi;
        }
    }
}

TEST(SkinResources, SkinImagesLoadForTheirDpiAndAgainWhenItChanges)
{
    const SkinEntry& entry = kBitmaps[0];
    win::SkinImages images;
    EXPECT_EQ(win::BitmapSize(images.Get(entry.id)).cx, entry.width);
    EXPECT_EQ(win::BitmapSize(images.Get(entry.id, Dpi(144))).cx, ScaleForDpi(entry.width, 144));
    EXPECT_EQ(images.Get(0, Dpi(144)), nullptr);
}

TEST(SkinResources, EveryIconLoads)
{
    for (int id : kIcons) {
        HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                   0, 0, LR_DEFAULTSIZE);
        EXPECT_NE(icon, nullptr) << "icon " << id;
        if (icon) ::DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
}  // namespace zelora
