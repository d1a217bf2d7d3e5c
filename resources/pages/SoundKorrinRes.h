// Resource ids of the DTS speaker page (template 236): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#define IDD_SOUND_KORRIN 236
// The command its menu button sends.
#define MENU_SOUND_KORRIN 32777

// One radio group, in speaker-mode order: the first button starts the group.
#define IDC_KORRIN_MONO 1119
#define IDC_KORRIN_STEREO 1120
#define IDC_KORRIN_SURROUND 1121
#define IDC_KORRIN_QUAD 1122
#define IDC_KORRIN_FIVE_ONE 1123
#define IDC_KORRIN_SPDIF 1124
