#include "pages/subtitle/CaptionVSFilter.h"

#include "pages/subtitle/CaptionVSFilterValues.h"
#include "resources/resource.h"

namespace zelora {

CaptionVSFilter::CaptionVSFilter(RegistryBackend& registry)
    : SettingsPage({IDD_CAPTION_VSFILTER, Decoder::VSFilter, caption_vsfilter::kValues,
                    caption_vsfilter::kControls, caption_vsfilter::kBitmaps,
                    caption_vsfilter::kEnables},
                   registry)
{
}

void CaptionVSFilter::ResetDefaults()
{
    if (DecoderInstalled()) SettingsPage::ResetDefaults();
}

}  // namespace zelora
