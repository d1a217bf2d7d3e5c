#include "pages/subtitle/CaptionDivxG400.h"

#include "pages/subtitle/CaptionDivxG400Values.h"
#include "resources/resource.h"

namespace zelora {

CaptionDivxG400::CaptionDivxG400(RegistryBackend& registry)
    : SettingsPage({IDD_CAPTION_DIVXG400, Decoder::DivxG400, caption_divxg400::kValues,
                    caption_divxg400::kControls, caption_divxg400::kBitmaps,
                    caption_divxg400::kEnables},
                   registry)
{
}

}  // namespace zelora
