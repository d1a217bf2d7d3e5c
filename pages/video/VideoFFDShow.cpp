#include "pages/video/VideoFFDShow.h"

#include "pages/video/VideoFFDShowValues.h"
#include "resources/resource.h"

namespace zelora {

// One check box per value; the tray-icon row names the ffdshow audio decoder's key, so the
// audio page shows what this box wrote.
VideoFFDShow::VideoFFDShow()
    : SettingsPage({IDD_VIDEO_FFDSHOW, Decoder::FFDShow, video_ffdshow::kValues,
                    video_ffdshow::kControls, video_ffdshow::kBitmaps})
{
}

}  // namespace zelora
