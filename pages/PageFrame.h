#pragma once
// What every settings page shares besides its values: its size, its background, and what
// only the code knows of its dialog template (each control's type, the skin bitmaps). Ids,
// pixel places and labels live once, in the page's resource header and template.

#include "resources/skin/Skin.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelora {

// The main window shows every page at this client size.
inline constexpr int kPageWidth = skin::kMainContent.width;
inline constexpr int kPageHeight = skin::kMainContent.height;

// The pages' background, also the background of their statics and check boxes.
struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
inline constexpr Rgb kPageBackground{233, 233, 233};

// A pixel rectangle in the page's client area, as the Win32 move call takes it.
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // An empty place means the control keeps where its template put it.
    constexpr bool IsSet() const { return width > 0 && height > 0; }
};

enum class ControlType {
    CheckBox,
    RadioButton,    // the first button of a group starts the group
    DropDownCombo,  // a drop-down list with an edit field
    NumericEdit,
    Spin,           // automatic-buddy up-down control of the edit before it
    Static,
};

struct PageControl {
    int id = 0;
    ControlType type = ControlType::Static;
    Place place{};             // `Layout`'s rectangle; empty keeps the template's
    // A list without a place of its own follows this title: just right of it, centred on
    // it, so the two line up whatever the dialog font's metrics.
    int besideId = 0;
    // What screen readers call a control whose label is a picture, or none.
    const wchar_t* name = nullptr;
};

// A skin bitmap copied onto the page's background at (x, y): the whole picture, or only
// its top `rows` when the page shows less of it.
struct SkinBitmap {
    constexpr SkinBitmap(const skin::Picture& picture, int x, int y, int rows = 0)
        : id(picture.id), place{x, y, picture.width, rows > 0 ? rows : picture.height}
    {
    }

    int id = 0;
    Place place{};
};

// Two panels' column words in one list, in the order of the sliders they stand over.
template <std::size_t A, std::size_t B>
constexpr std::array<const wchar_t*, A + B> JoinWords(const wchar_t* const (&first)[A],
                                                      const wchar_t* const (&second)[B])
{
    std::array<const wchar_t*, A + B> words{};
    for (std::size_t i = 0; i < A; ++i) words[i] = first[i];
    for (std::size_t i = 0; i < B; ++i) words[A + i] = second[i];
    return words;
}

}  // namespace zelora
