#include "platform/text/Text.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

TEST(Text, Utf8AndUtf16RoundTrip)
{
    for (const char* s : {"", "Xvid", "코덱연결 설정", "a\xF0\x9F\x98\x80z"}) {
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
    }
    EXPECT_EQ(Utf8ToUtf16("가").size(), 1u);
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80"), u"\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
}

TEST(Text, Cp949LengthCountsKoreanAsTwoBytes)
{
    EXPECT_EQ(Cp949Length("abc"), 3u);
    EXPECT_EQ(Cp949Length("코덱"), 4u);
    EXPECT_EQ(Cp949Length("a코"), 3u);
}

TEST(Text, DecimalTextToIntFollowsTheCLibrary)
{
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"50", 50},    {"-20", -20},  {"  7x", 7},         {"+3", 3},
        {"", 0},       {"abc", 0},    {"-", 0},            {"2147483647", 2147483647},
        {"99999999999", 2147483647},  {"-99999999999", -2147483647 - 1}, {"1.5", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(DecimalTextToInt(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace zelora
