#pragma once
// One decoder page as data: its template, the decoder whose flag enables its controls, its
// values (in the order of Load and SaveAll), its controls (types and `Layout` places), its
// skin bitmaps (in painting order), the controls that enable others and, on a page with
// level sliders, its slider table. The frame (SettingsPage, SliderPage) does the rest.

#include "pages/InstalledDecoders.h"
#include "pages/PageFrame.h"
#include "pages/SliderDrag.h"
#include "pages/ValueRow.h"

#include <span>

namespace zelora {

struct PageDescription {
    int templateId = 0;
    Decoder decoder = Decoder::FFDShow;
    std::span<const ValueRow> values{};
    std::span<const PageControl> controls{};
    std::span<const SkinBitmap> bitmaps{};
    std::span<const EnableRule> enables{};
    // A page with sliders is a SliderPage. Level i is the value row whose number key is
    // levelKeys[i]; a page whose sliders have edits may leave that empty: a level's row is
    // then its first edit's.
    std::span<const SliderRow> sliders{};
    std::span<const NumberKey> levelKeys{};
    // What screen readers call slider i and its edit (the words its panel shows).
    std::span<const wchar_t* const> sliderNames{};
    // Reset to defaults only for an installed decoder: otherwise nothing is written and no
    // control changes.
    bool resetNeedsDecoder = false;
};

}  // namespace zelora
