#pragma once
// Every page of the main window, one row each, in the order the main window keeps them:
// the menu makes its buttons from it, the main window makes and shows its pages by it, the
// install check resets the decoder pages in its order, and the settings catalogue lists
// their values from it. A page joins with one row here and its own files.

#include "pages/PageDescription.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"
#include "pages/audio/SoundKorrinValues.h"
#include "pages/subtitle/CaptionDivxG400Values.h"
#include "pages/subtitle/CaptionVSFilterValues.h"
#include "pages/video/VideoDivxValues.h"
#include "pages/video/VideoFFDShowValues.h"
#include "pages/video/VideoXvidValues.h"
#include "resources/resource.h"
#include "resources/skin/Skin.h"

#include <cstddef>
#include <iterator>

namespace zelora {

// The accordion group a page's button belongs to.
enum class MenuGroup { None, Video, Sound, Caption };

enum class PageKind {
    CodecConnect,
    CodecUpdate,
    Intro,
    Preferred,  // which decoders Windows uses per format
    Decoder,  // a decoder settings page: nothing but its description
};

// A page's menu button. Its control id follows from its place in the menu.
struct PageButton {
    int command;             // what it sends
    int normalImage;
    int hoverImage;          // also its image while its page is in view
    const wchar_t* text;     // never drawn: the window text; screen readers hear its picture's words
};

struct PageRow {
    // Named so in the message shown when the page cannot be allocated.
    const wchar_t* name;
    PageKind kind;
    MenuGroup group;  // None: a top-level button
    // Its place in its group's menu, from 1, which is also its number as the group's last
    // page; 0 for a top-level page.
    int place;
    PageButton button;
    const PageDescription* decoder = nullptr;  // the decoder pages'
};

// Creation order; the decoder pages in the order the install check resets them. A group's
// pages stand together: its header button comes just before the first of them.
inline constexpr PageRow kPages[] = {
    {L"Connect", PageKind::CodecConnect, MenuGroup::None, 0,
     {MENU_CONNECT, skin::kMenuConnectNormal.id,
      skin::kMenuConnectHover.id, L"Codec Connect"}},
    {L"Updata", PageKind::CodecUpdate, MenuGroup::None, 0,
     {MENU_UPDATA, skin::kMenuUpdateNormal.id,
      skin::kMenuUpdateHover.id, L"Codec Updata"}},
    {L"VideoFFDShow", PageKind::Decoder, MenuGroup::Video, 1,
     {MENU_VIDEO_FFDSHOW, skin::kMenuVideoFFDShowNormal.id,
      skin::kMenuVideoFFDShowHover.id, L"Video FFDShow"}, &video_ffdshow::kPage},
    {L"VideoDivx", PageKind::Decoder, MenuGroup::Video, 2,
     {MENU_VIDEO_DIVX, skin::kMenuVideoDivxNormal.id,
      skin::kMenuVideoDivxHover.id, L"Video Divx"}, &video_divx::kPage},
    {L"VideoXvid", PageKind::Decoder, MenuGroup::Video, 3,
     {MENU_VIDEO_XVID, skin::kMenuVideoXvidNormal.id,
      skin::kMenuVideoXvidHover.id, L"Video Xvid"}, &video_xvid::kPage},
    {L"SoundFFDShow", PageKind::Decoder, MenuGroup::Sound, 1,
     {MENU_SOUND_FFDSHOW, skin::kMenuSoundFFDShowNormal.id,
      skin::kMenuSoundFFDShowHover.id, L"Sound FFDShow"}, &sound_ffdshow::kPage},
    {L"SoundAC3", PageKind::Decoder, MenuGroup::Sound, 2,
     {MENU_SOUND_AC3, skin::kMenuSoundAC3Normal.id,
      skin::kMenuSoundAC3Hover.id, L"Sound AC3"}, &sound_ac3::kPage},
    {L"SoundKorrin", PageKind::Decoder, MenuGroup::Sound, 3,
     {MENU_SOUND_KORRIN, skin::kMenuSoundKorrinNormal.id,
      skin::kMenuSoundKorrinHover.id, L"Sound Korrin`s"}, &sound_korrin::kPage},
    // In the menu the DivX G400 button stands above this one.
    {L"CaptionVSFilter", PageKind::Decoder, MenuGroup::Caption, 2,
     {MENU_CAPTION_VSFILTER, skin::kMenuCaptionVSFilterNormal.id,
      skin::kMenuCaptionVSFilterHover.id, L"Caption VSFilter"}, &caption_vsfilter::kPage},
    {L"CaptionDivx", PageKind::Decoder, MenuGroup::Caption, 1,
     {MENU_CAPTION_DIVXG400, skin::kMenuCaptionDivxG400Normal.id,
      skin::kMenuCaptionDivxG400Hover.id, L"Caption Divx G400"}, &caption_divxg400::kPage},
    {L"FSIntro", PageKind::Intro, MenuGroup::None, 0, {MENU_FSINTRO, skin::kMenuIntroNormal.id,
      skin::kMenuIntroHover.id, L"F.S Intro"}},
    // Last in the menu, so no button a user knows moves.
    {L"Preferred", PageKind::Preferred, MenuGroup::None, 0,
     {MENU_PREFERRED, skin::kMenuPreferredNormal.id,
      skin::kMenuPreferredHover.id, L"Preferred Decoders"}},
};

inline constexpr std::size_t kPageCount = std::size(kPages);

// The page whose button sends `command`, or -1.
constexpr int PageOfCommand(int command)
{
    for (std::size_t i = 0; i < kPageCount; ++i)
        if (kPages[i].button.command == command) return static_cast<int>(i);
    return -1;
}

// The first page of `kind`.
constexpr std::size_t PageOfKind(PageKind kind)
{
    std::size_t i = 0;
    while (i < kPageCount && kPages[i].kind != kind) ++i;
    return i;
}

// The number of pages in `group`'s menu.
constexpr int GroupSize(MenuGroup group)
{
    int count = 0;
    for (const PageRow& page : kPages) count += page.group == group;
    return count;
}

// The page at `place` (from 1) in `group`'s menu, or -1.
constexpr int PageAtPlace(MenuGroup group, int place)
{
    for (std::size_t i = 0; i < kPageCount; ++i)
        if (kPages[i].group == group && kPages[i].place == place) return static_cast<int>(i);
    return -1;
}

// Each kind the main window makes by itself is there, and a decoder page has values; each
// group's places run from 1 without a gap.
constexpr bool PagesAreWhole()
{
    for (PageKind kind : {PageKind::CodecConnect, PageKind::CodecUpdate, PageKind::Intro,
                          PageKind::Preferred})
        if (PageOfKind(kind) == kPageCount) return false;
    for (const PageRow& page : kPages) {
        if (page.kind == PageKind::Decoder && page.decoder->values.empty()) return false;
        if ((page.group == MenuGroup::None) != (page.place == 0)) return false;
    }
    for (MenuGroup group : {MenuGroup::Video, MenuGroup::Sound, MenuGroup::Caption})
        for (int place = 1; place <= GroupSize(group); ++place)
            if (PageAtPlace(group, place) < 0) return false;
    return true;
}
static_assert(PagesAreWhole(), "kPages: a page kind, description or group place is missing");

}  // namespace zelora
