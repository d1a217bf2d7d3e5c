// Resource ids of the ffdshow audio page (template 232): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#include "LevelEditPlace.h"

#define IDD_SOUND_FFDSHOW 232
// The command its menu button sends.
#define MENU_SOUND_FFDSHOW 32778

#define IDC_FFA_VOLUME_ON 1037
#define IDC_FFA_MIXER_ON 1038
#define IDC_FFA_TRAY_ICON 1039
#define IDC_FFA_EQ_ON 1040
#define IDC_FFA_WINAMP2 1041
#define IDC_FFA_SPEAKERS 1042
// The level edits, in slider order: master, headphones, three mixer levels, six channels.
#define IDC_FFA_VOLUME 1043
#define IDC_FFA_HEADPHONE 1044
#define IDC_FFA_VOICE 1045
#define IDC_FFA_SURROUND 1046
#define IDC_FFA_LFE 1047
#define IDC_FFA_LEFT 1048
#define IDC_FFA_CENTER 1049
#define IDC_FFA_RIGHT 1050
#define IDC_FFA_SURROUND_LEFT 1051
#define IDC_FFA_SURROUND_RIGHT 1052
#define IDC_FFA_CHANNEL_LFE 1053
#define IDC_FFA_WMA1 1054
#define IDC_FFA_WMA2 1055
#define IDC_FFA_MP2 1056
#define IDC_FFA_MP3 1057
#define IDC_FFA_AC3 1013
#define IDC_FFA_DTS 1014
#define IDC_FFA_AAC 1015
#define IDC_FFA_VORBIS 1016
#define IDC_FFA_AC3_SPDIF 1017
#define IDC_FFA_DTS_SPDIF 1018

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_FFA_VOLUME_ON_AT 20, 62, 96, 13
#define IDC_FFA_EQ_ON_AT 130, 62, 105, 13
#define IDC_FFA_MIXER_ON_AT 20, 84, 96, 13
#define IDC_FFA_WINAMP2_AT 130, 84, 116, 13
#define IDC_FFA_TRAY_ICON_AT 20, 106, 172, 13
#define IDC_FFA_VOLUME_AT LEVEL_EDIT_AT(52, 272)
#define IDC_FFA_HEADPHONE_AT LEVEL_EDIT_AT(100, 272)
#define IDC_FFA_VOICE_AT LEVEL_EDIT_AT(140, 272)
#define IDC_FFA_SURROUND_AT LEVEL_EDIT_AT(180, 272)
#define IDC_FFA_LFE_AT LEVEL_EDIT_AT(220, 272)
#define IDC_FFA_LEFT_AT LEVEL_EDIT_AT(24, 463)
#define IDC_FFA_CENTER_AT LEVEL_EDIT_AT(65, 463)
#define IDC_FFA_RIGHT_AT LEVEL_EDIT_AT(105, 463)
#define IDC_FFA_SURROUND_LEFT_AT LEVEL_EDIT_AT(145, 463)
#define IDC_FFA_SURROUND_RIGHT_AT LEVEL_EDIT_AT(185, 463)
#define IDC_FFA_CHANNEL_LFE_AT LEVEL_EDIT_AT(225, 463)
#define IDC_FFA_WMA1_AT 285, 172, 65, 13
#define IDC_FFA_WMA2_AT 285, 194, 65, 13
#define IDC_FFA_MP2_AT 285, 216, 42, 13
#define IDC_FFA_MP3_AT 285, 238, 42, 13
#define IDC_FFA_AC3_AT 285, 260, 42, 13
#define IDC_FFA_DTS_AT 285, 282, 42, 13
#define IDC_FFA_AAC_AT 285, 304, 42, 13
#define IDC_FFA_VORBIS_AT 285, 326, 53, 13
#define IDC_FFA_AC3_SPDIF_AT 285, 395, 42, 13
#define IDC_FFA_DTS_SPDIF_AT 285, 417, 42, 13
