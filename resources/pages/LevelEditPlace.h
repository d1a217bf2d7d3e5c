// The place of an audio page's level edit drawn 18 pixels wide at (x, y): widened about
// the same centre, since 18 pixels cut "100" in the dialog font.
#pragma once

#define LEVEL_EDIT_AT(x, y) (x) - 4, y, 26, 13
