// Resource ids of the DivX decoder page (template 233): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#define IDD_VIDEO_DIVX 233
// The command its menu button sends.
#define MENU_VIDEO_DIVX 32773

#define IDC_DIVX_DISABLE_PP 1003
#define IDC_DIVX_WARMTH 1004
#define IDC_DIVX_SMOOTH 1005
#define IDC_DIVX_DOUBLE_BUFFER 1006
#define IDC_DIVX_NO_LOGO 1007
#define IDC_DIVX_OVERLAY 1008
#define IDC_DIVX_YUV 1009
#define IDC_DIVX_MPEG4 1010
// One radio group, in aspect-ratio order: the first button starts the group.
#define IDC_DIVX_ASPECT_1_1 1011
#define IDC_DIVX_ASPECT_4_3 1012
#define IDC_DIVX_ASPECT_16_9 1013
#define IDC_DIVX_ASPECT_SOURCE 1014
#define IDC_DIVX_DEBLOCK_TITLE 1140
#define IDC_DIVX_DERING_TITLE 1141
#define IDC_DIVX_WARMTH_TITLE 1142
#define IDC_DIVX_BRIGHTNESS_TITLE 1143
#define IDC_DIVX_CONTRAST_TITLE 1144
#define IDC_DIVX_SATURATION_TITLE 1145

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_DIVX_DISABLE_PP_AT 20, 60, 109, 13
#define IDC_DIVX_WARMTH_AT 195, 60, 97, 13
#define IDC_DIVX_DEBLOCK_TITLE_AT 20, 95, 95, 13
#define IDC_DIVX_DERING_TITLE_AT 20, 135, 95, 13
#define IDC_DIVX_WARMTH_TITLE_AT 20, 175, 95, 13
#define IDC_DIVX_SMOOTH_AT 20, 255, 120, 13
#define IDC_DIVX_DOUBLE_BUFFER_AT 150, 255, 110, 13
#define IDC_DIVX_NO_LOGO_AT 275, 255, 120, 13
#define IDC_DIVX_OVERLAY_AT 20, 285, 97, 13
#define IDC_DIVX_YUV_AT 150, 285, 97, 13
#define IDC_DIVX_MPEG4_AT 275, 285, 118, 13
#define IDC_DIVX_BRIGHTNESS_TITLE_AT 20, 360, 90, 13
#define IDC_DIVX_CONTRAST_TITLE_AT 20, 395, 90, 13
#define IDC_DIVX_SATURATION_TITLE_AT 20, 430, 90, 13
#define IDC_DIVX_ASPECT_1_1_AT 260, 345, 45, 13
#define IDC_DIVX_ASPECT_4_3_AT 260, 375, 45, 13
#define IDC_DIVX_ASPECT_16_9_AT 260, 405, 50, 13
#define IDC_DIVX_ASPECT_SOURCE_AT 260, 435, 110, 13
