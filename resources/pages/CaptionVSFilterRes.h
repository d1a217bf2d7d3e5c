// Resource ids of the VSFilter page (template 237): its template, its menu
// command and its controls, shared by its template and its code.
// Each up-down control follows its edit in the template: it takes the edit as its buddy.
#pragma once

#define IDD_CAPTION_VSFILTER 237
// The command its menu button sends.
#define MENU_CAPTION_VSFILTER 32780

#define IDC_VSF_EXTPIC 1075
#define IDC_VSF_RESX2 1076
#define IDC_VSF_TIMES 1077
#define IDC_VSF_MOD32 1078
#define IDC_VSF_FILL_H_TITLE 1079
#define IDC_VSF_RESX2_TITLE 1080
#define IDC_VSF_FLIP_PICTURE 1081
#define IDC_VSF_FLIP_SUBTITLES 1082
#define IDC_VSF_HIDE 1083
#define IDC_VSF_OSD_STATS 1084
#define IDC_VSF_DELAY_TITLE 1089
#define IDC_VSF_XPERC_TITLE 1090
#define IDC_VSF_YPERC_TITLE 1091
#define IDC_VSF_DELAY 1100
#define IDC_VSF_DELAY_SPIN 1101
#define IDC_VSF_XPERC 1102
#define IDC_VSF_YPERC 1104
#define IDC_VSF_YPERC_SPIN 1115
#define IDC_VSF_XPERC_SPIN 1117
#define IDC_VSF_MIN_WIDTH 1135
#define IDC_VSF_MIN_WIDTH_SPIN 1136
#define IDC_VSF_MIN_HEIGHT 1137
#define IDC_VSF_MIN_HEIGHT_SPIN 1138
#define IDC_VSF_EXTPIC_TITLE 1139

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_VSF_EXTPIC_TITLE_AT 20, 71, 90, 13
#define IDC_VSF_EXTPIC_AT 20, 90, 390, 200
#define IDC_VSF_FILL_H_TITLE_AT 20, 128, 90, 13
#define IDC_VSF_MOD32_AT 110, 128, 90, 13
#define IDC_VSF_RESX2_TITLE_AT 20, 152, 100, 13
#define IDC_VSF_MIN_WIDTH_AT 245, 176, 50, 20
#define IDC_VSF_MIN_WIDTH_SPIN_AT 294, 176, 15, 20
#define IDC_VSF_TIMES_AT 317, 180, 8, 13
#define IDC_VSF_MIN_HEIGHT_AT 334, 176, 50, 20
#define IDC_VSF_MIN_HEIGHT_SPIN_AT 383, 176, 15, 20
#define IDC_VSF_FLIP_PICTURE_AT 20, 209, 135, 13
#define IDC_VSF_FLIP_SUBTITLES_AT 185, 209, 135, 13
#define IDC_VSF_HIDE_AT 20, 235, 80, 13
#define IDC_VSF_OSD_STATS_AT 185, 235, 100, 13
#define IDC_VSF_DELAY_TITLE_AT 20, 315, 120, 13
#define IDC_VSF_DELAY_AT 143, 310, 80, 20
#define IDC_VSF_DELAY_SPIN_AT 222, 310, 15, 20
#define IDC_VSF_XPERC_TITLE_AT 20, 344, 120, 13
#define IDC_VSF_XPERC_AT 143, 339, 80, 20
#define IDC_VSF_XPERC_SPIN_AT 222, 339, 15, 20
#define IDC_VSF_YPERC_TITLE_AT 20, 373, 120, 13
#define IDC_VSF_YPERC_AT 143, 368, 80, 20
#define IDC_VSF_YPERC_SPIN_AT 222, 368, 15, 20
