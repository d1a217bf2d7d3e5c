// What a numeric edit lets through, and how a typed number is clamped to its range.
#include "pages/NumericEdit.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

TEST(NumericEdit, PassesDigitsSignPointAndBackspaceOnly)
{
    for (char32_t ch : std::u32string_view(U"0123456789-.\b"))
        EXPECT_TRUE(IsNumericEditChar(ch)) << int(ch);
    for (char32_t ch : std::u32string_view(U"aZ +,e\r\t\x16\x03가０"))
        EXPECT_FALSE(IsNumericEditChar(ch)) << int(ch);
}

TEST(NumericEdit, ClampReplacesOutOfRangeNumbersByTheBoundsText)
{
    struct Case {
        const char* typed;
        const char* maxText;
        const char* minText;
        const char* expected;
    };
    const Case cases[] = {
        {"3000", "2048", "0", "2048"},
        {"-5", "2048", "0", "0"},
        {"2048", "2048", "0", "2048"},
        {"1500", "2048", "0", "1500"},
        {"99999999999", "2048", "0", "2048"},  // beyond 32 bits: still above the max
        {"-99999999999", "10000", "-10000", "-10000"},
        {"-20000", "10000", "-10000", "-10000"},
        {"12abc", "100", "0", "12abc"},  // in range by its leading digits; text kept
        {"", "120", "-20", ""},          // empty reads as 0, within range
        {"", "100", "10", "10"},         // ... and below a positive minimum
        {"150", "+100", "0", "+100"},    // compared as numbers, replaced by the text as given
    };
    for (const Case& c : cases) {
        std::string text = c.typed;
        ClampEditNumber(text, c.maxText, c.minText);
        EXPECT_EQ(text, c.expected) << c.typed << " in " << c.minText << ".." << c.maxText;
    }
}

}  // namespace
}  // namespace zelora
