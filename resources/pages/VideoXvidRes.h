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

// The pixel places (x, y, width, height) the page's table moves its controls to; its
// template takes them at half scale.
#define IDC_XVID_DEBLOCK_Y_AT 10, 70, 115, 13
#define IDC_XVID_DEBLOCK_UV_AT 10, 100, 125, 13
#define IDC_XVID_FILM_EFFECT_AT 10, 130, 100, 13
#define IDC_XVID_CODE_DIVX_AT 210, 70, 50, 13
#define IDC_XVID_CODE_DX50_AT 210, 100, 50, 13
#define IDC_XVID_CODE_MP4V_AT 210, 130, 50, 13
#define IDC_XVID_FLIP_VIDEO_AT 10, 275, 98, 13
#define IDC_XVID_COMPAT_RENDERING_AT 180, 275, 180, 13
#define IDC_XVID_COLOUR_SPACE_TITLE_AT 15, 305, 65, 13
