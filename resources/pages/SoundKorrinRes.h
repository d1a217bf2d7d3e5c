// Control ids of the DTS speaker page (template 236), shared by its template and its code.
#pragma once

// One radio group, in speaker-mode order: the first button starts the group.
#define IDC_KORRIN_MONO 1119
#define IDC_KORRIN_STEREO 1120
#define IDC_KORRIN_SURROUND 1121
#define IDC_KORRIN_QUAD 1122
#define IDC_KORRIN_FIVE_ONE 1123
#define IDC_KORRIN_SPDIF 1124
