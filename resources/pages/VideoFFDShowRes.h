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
