// The installed flags that the inventory scan sets and the pages read.
#include "pages/InstalledDecoders.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

TEST(InstalledDecodersFlags, NamesMatchByteForByteAndUnknownNamesAreIgnored)
{
    InstalledDecoders::ResetForTests();
    InstalledDecoders::MarkInstalled("xvid");
    InstalledDecoders::MarkInstalled("Korrins DTS");
    InstalledDecoders::MarkInstalled("Mpeg Splitter");
    EXPECT_FALSE(InstalledDecoders::IsInstalled(Decoder::Xvid));
    EXPECT_TRUE(InstalledDecoders::IsInstalled(Decoder::KorrinsDts));
    EXPECT_TRUE(InstalledDecoders::IsInstalled("Korrins DTS"));
    EXPECT_FALSE(InstalledDecoders::IsInstalled("korrins dts"));
    EXPECT_FALSE(InstalledDecoders::IsInstalled("Mpeg Splitter"));
    InstalledDecoders::ResetForTests();
}

}  // namespace
}  // namespace zelora
