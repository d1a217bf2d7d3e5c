#pragma once
// The numeric edit boxes' rules: which typed characters get through, and how an
// out-of-range number is replaced by its bound.

#include <string>
#include <string_view>

namespace zelora {

inline constexpr char32_t kBackspace = 0x08;

// Digits, the minus sign, the full stop and backspace pass; every other character message
// is dropped. Pasted text is not filtered: the clamp below copes with whatever arrives.
constexpr bool IsNumericEditChar(char32_t ch)
{
    return (ch >= U'0' && ch <= U'9') || ch == U'-' || ch == U'.' || ch == kBackspace;
}

// Replaces `target` by `maxText` when its decimal value exceeds the max text's value, by
// `minText` when it is below the min text's value, and leaves it alone otherwise. The
// bounds are compared as numbers; the replacement is the bound's text.
void ClampEditNumber(std::string& target, std::string_view maxText, std::string_view minText);

}  // namespace zelora
