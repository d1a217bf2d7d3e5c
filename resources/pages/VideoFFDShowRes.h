// Resource ids of the ffdshow video page (template 241): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#define IDD_VIDEO_FFDSHOW 241
// The command its menu button sends.
#define MENU_VIDEO_FFDSHOW 32774

#define IDC_VFF_XVID 1003
#define IDC_VFF_DIV3 1004
#define IDC_VFF_DIVX 1005
#define IDC_VFF_DX50 1006
#define IDC_VFF_MP43 1007
#define IDC_VFF_MP42 1008
#define IDC_VFF_MP41 1009
#define IDC_VFF_WMV1 1010
#define IDC_VFF_WMV2 1011
#define IDC_VFF_MPG1 1012
#define IDC_VFF_MPG2 1013
#define IDC_VFF_H264 1014
#define IDC_VFF_OUTI420 1015
#define IDC_VFF_OUTYV12 1016
#define IDC_VFF_OUTYUY2 1017
#define IDC_VFF_OUTYVYU 1018
#define IDC_VFF_OUTUYVY 1019
#define IDC_VFF_OUTRGB32 1020
#define IDC_VFF_OUTRGB24 1021
#define IDC_VFF_OUTRGB565 1022
#define IDC_VFF_OUTRGB555 1023
#define IDC_VFF_TRAYICON 1024
#define IDC_VFF_ISPOSTPROC 1025
#define IDC_VFF_ISBLUR 1026
#define IDC_VFF_ISNOISE 1027

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_VFF_XVID_AT 20, 60, 41, 13
#define IDC_VFF_DIV3_AT 20, 90, 48, 13
#define IDC_VFF_DIVX_AT 20, 120, 48, 13
#define IDC_VFF_DX50_AT 20, 150, 48, 13
#define IDC_VFF_MP43_AT 20, 180, 48, 13
#define IDC_VFF_MP42_AT 20, 210, 48, 13
#define IDC_VFF_MP41_AT 20, 240, 48, 13
#define IDC_VFF_WMV1_AT 20, 270, 65, 13
#define IDC_VFF_WMV2_AT 20, 300, 65, 13
#define IDC_VFF_MPG1_AT 20, 330, 59, 13
#define IDC_VFF_MPG2_AT 20, 360, 59, 13
#define IDC_VFF_H264_AT 20, 390, 60, 13
#define IDC_VFF_OUTI420_AT 120, 60, 39, 13
#define IDC_VFF_OUTYV12_AT 120, 90, 49, 13
#define IDC_VFF_OUTYUY2_AT 120, 120, 49, 13
#define IDC_VFF_OUTYVYU_AT 120, 150, 49, 13
#define IDC_VFF_OUTUYVY_AT 120, 180, 49, 13
#define IDC_VFF_OUTRGB32_AT 120, 210, 54, 13
#define IDC_VFF_OUTRGB24_AT 120, 240, 54, 13
#define IDC_VFF_OUTRGB565_AT 120, 270, 54, 13
#define IDC_VFF_OUTRGB555_AT 120, 300, 54, 13
#define IDC_VFF_TRAYICON_AT 220, 60, 172, 13
#define IDC_VFF_ISPOSTPROC_AT 220, 90, 128, 13
#define IDC_VFF_ISBLUR_AT 220, 120, 121, 13
#define IDC_VFF_ISNOISE_AT 220, 150, 137, 13
