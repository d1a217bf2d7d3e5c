// The arithmetic of the updater's progress display.
#include "updater/ProgressGeometry.h"

#include <gtest/gtest.h>

namespace zelora::updater {
namespace {

TEST(UpdaterProgress, DownloadPercent)
{
    EXPECT_EQ(DownloadPercent(500, 0), 0);  // size not announced
    EXPECT_EQ(DownloadPercent(0, 1000), 0);
    EXPECT_EQ(DownloadPercent(999, 1000), 99);
    EXPECT_EQ(DownloadPercent(1000, 1000), 100);
    EXPECT_EQ(DownloadPercent(5000, 1000), 100);
    EXPECT_EQ(DownloadPercent(0xFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull), 0);  // no overflow
    EXPECT_EQ(DownloadPercent(0xFFFFFFFFFFFFFFFEull, 0xFFFFFFFFFFFFFFFFull), 100);
}

TEST(UpdaterProgress, BarGeometry)
{
    const Rect control{0, 0, 239, 9};
    struct Case {
        Rect client;
        bool border;
        bool vertical;
        ProgressRange range;
        int position;
        Rect bar;
    };
    const Case cases[] = {
        // The updater's 239 x 9 control: the fill spans x 1 to 238 at most.
        {control, false, false, {0, 100}, 0, {1, 1, 1, 8}},
        {control, false, false, {0, 100}, 50, {1, 1, 119, 8}},
        {control, false, false, {0, 100}, 100, {1, 1, 237, 8}},
        {control, false, false, {0, 100}, 250, {1, 1, 237, 8}},  // clamped position
        {control, true, false, {0, 100}, 50, {2, 2, 119, 7}},
        {{0, 0, 9, 101}, false, true, {0, 100}, 50, {1, 51, 8, 100}},
        {{0, 0, 9, 101}, false, true, {0, 100}, 0, {1, 100, 8, 100}},
        {control, false, false, {-50, 50}, 0, {1, 1, 119, 8}},
        {control, false, false, {0, 0}, 0, {1, 1, 1, 8}},  // empty range: span 1
    };
    for (const Case& c : cases) {
        const BarLayout layout = LayoutBar(c.client, c.border, c.vertical, c.range, c.position);
        EXPECT_EQ(layout.bar.left, c.bar.left) << c.position;
        EXPECT_EQ(layout.bar.top, c.bar.top) << c.position;
        EXPECT_EQ(layout.bar.right, c.bar.right) << c.position;
        EXPECT_EQ(layout.bar.bottom, c.bar.bottom) << c.position;
    }
    EXPECT_EQ(LayoutBar(control, false, false, {0, 100}, 50).percent, 50);

    const TileGrid tiles = TilesFor({1, 1, 119, 8}, 8, 7);
    EXPECT_EQ(tiles.columns, 15);
    EXPECT_EQ(tiles.rows, 1);
    EXPECT_EQ(TilesFor({1, 1, 1, 8}, 8, 7).columns, 0);
}

}  // namespace
}  // namespace zelora::updater
