// A template takes a control's pixel place (x, y, width, height), written once in the
// resource header that the code's tables read too, at half scale, as the pages were drawn.
// A dialog unit of their font is no whole number of pixels (1.75 under Wine), so the code
// moves each control to its exact pixels.
#pragma once

#define DLU(place) DLU_HALVED(place)
#define DLU_HALVED(x, y, width, height) (x) / 2, (y) / 2, (width) / 2, (height) / 2
