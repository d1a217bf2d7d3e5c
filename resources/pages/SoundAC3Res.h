// Resource ids of the AC3Filter page (template 235): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#include "LevelEditPlace.h"

#define IDD_SOUND_AC3 235
// The command its menu button sends.
#define MENU_SOUND_AC3 32776

#define IDC_AC3_SPEAKERS 1058
#define IDC_AC3_SAMPLE_FORMAT 1059
#define IDC_AC3_SPDIF 1060
#define IDC_AC3_PCM 1061
#define IDC_AC3_AC3 1062
#define IDC_AC3_DTS 1063
#define IDC_AC3_MPEG 1064
#define IDC_AC3_PES 1065
#define IDC_AC3_AC3_PASS 1017
#define IDC_AC3_DTS_PASS 1018
#define IDC_AC3_MPEG_PASS 1011
// The level edits, in slider order: the master pair, three mixer levels, six channels.
#define IDC_AC3_MASTER 1066
#define IDC_AC3_MAIN 1067
#define IDC_AC3_VOICE 1068
#define IDC_AC3_SURROUND 1069
#define IDC_AC3_LFE 1070
#define IDC_AC3_LEFT 1071
#define IDC_AC3_CENTER 1072
#define IDC_AC3_RIGHT 1073
#define IDC_AC3_SURROUND_LEFT 1074
#define IDC_AC3_SURROUND_RIGHT 1028
#define IDC_AC3_CHANNEL_LFE 1029

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_AC3_MASTER_AT LEVEL_EDIT_AT(56, 200)
#define IDC_AC3_MAIN_AT LEVEL_EDIT_AT(104, 200)
#define IDC_AC3_VOICE_AT LEVEL_EDIT_AT(140, 200)
#define IDC_AC3_SURROUND_AT LEVEL_EDIT_AT(180, 200)
#define IDC_AC3_LFE_AT LEVEL_EDIT_AT(220, 200)
#define IDC_AC3_LEFT_AT LEVEL_EDIT_AT(24, 420)
#define IDC_AC3_CENTER_AT LEVEL_EDIT_AT(65, 420)
#define IDC_AC3_RIGHT_AT LEVEL_EDIT_AT(105, 420)
#define IDC_AC3_SURROUND_LEFT_AT LEVEL_EDIT_AT(145, 420)
#define IDC_AC3_SURROUND_RIGHT_AT LEVEL_EDIT_AT(185, 420)
#define IDC_AC3_CHANNEL_LFE_AT LEVEL_EDIT_AT(225, 420)
#define IDC_AC3_SPDIF_AT 280, 130, 57, 13
#define IDC_AC3_PCM_AT 285, 202, 45, 13
#define IDC_AC3_AC3_AT 285, 223, 42, 13
#define IDC_AC3_DTS_AT 285, 244, 42, 13
#define IDC_AC3_MPEG_AT 285, 265, 92, 13
#define IDC_AC3_PES_AT 285, 286, 75, 13
#define IDC_AC3_AC3_PASS_AT 285, 348, 42, 13
#define IDC_AC3_DTS_PASS_AT 285, 378, 42, 13
#define IDC_AC3_MPEG_PASS_AT 285, 408, 92, 13
