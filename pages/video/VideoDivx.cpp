#include "pages/video/VideoDivx.h"

#include "pages/video/VideoDivxValues.h"
#include "resources/resource.h"

namespace zelora {

VideoDivx::VideoDivx(RegistryBackend& registry)
    : SliderPage({IDD_VIDEO_DIVX, Decoder::Divx5, video_divx::kValues, video_divx::kControls,
                  video_divx::kBitmaps, video_divx::kEnables},
                 {video_divx::kSliders, video_divx::kLevelKeys}, registry)
{
}

}  // namespace zelora
