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

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_KORRIN_MONO_AT 20, 77, 42, 13
#define IDC_KORRIN_STEREO_AT 20, 107, 65, 13
#define IDC_KORRIN_SURROUND_AT 20, 137, 92, 13
#define IDC_KORRIN_QUAD_AT 20, 167, 150, 13
#define IDC_KORRIN_FIVE_ONE_AT 20, 197, 210, 13
#define IDC_KORRIN_SPDIF_AT 20, 227, 58, 13
