// Resource ids of the Xvid page (template 234): its template, its menu
// command and its controls, shared by its template and its code.
#pragma once

#define IDD_VIDEO_XVID 234
// The command its menu button sends.
#define MENU_VIDEO_XVID 32775

#define IDC_XVID_DEBLOCK_Y 1027
#define IDC_XVID_DEBLOCK_UV 1028
#define IDC_XVID_FILM_EFFECT 1029
#define IDC_XVID_CODE_DIVX 1030
#define IDC_XVID_CODE_DX50 1031
#define IDC_XVID_CODE_MP4V 1032
#define IDC_XVID_FLIP_VIDEO 1033
#define IDC_XVID_COMPAT_RENDERING 1034
#define IDC_XVID_COLOUR_SPACE 1035
#define IDC_XVID_COLOUR_SPACE_TITLE 1036
