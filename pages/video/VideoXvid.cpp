#include "pages/video/VideoXvid.h"

#include "pages/video/VideoXvidValues.h"
#include "resources/resource.h"

namespace zelora {

// Everything the page stores is in its tables: the three code boxes share "Supported_4CC"
// through the mask row, and the colour-space list maps a stored -1 to "RGB24".
VideoXvid::VideoXvid()
    : SettingsPage({IDD_VIDEO_XVID, Decoder::Xvid, video_xvid::kValues,
                    video_xvid::kControls, video_xvid::kBitmaps})
{
}

}  // namespace zelora
