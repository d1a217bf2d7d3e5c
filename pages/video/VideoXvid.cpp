#include "pages/video/VideoXvid.h"

#include "pages/video/VideoXvidValues.h"

namespace zelora {

// Everything the page stores is in its tables: the three code boxes share "Supported_4CC"
// through the mask row, and the colour-space list maps a stored -1 to "RGB24".
VideoXvid::VideoXvid()
    : SettingsPage({video_xvid::kDialogId, Decoder::Xvid, video_xvid::kValues,
                    video_xvid::kControls, video_xvid::kBitmaps})
{
}

void VideoXvid::Layout()
{
    if (Model().LaidOut()) return;
    SettingsPage::Layout();
    // The list has no pixel place of its own: it follows its "출력 색상 :" title.
    PlaceBeside(video_xvid::kColourSpace, video_xvid::kColourSpaceTitle);
}

}  // namespace zelora
