// Resource ids of Zelora.exe that code and templates share. Bitmap and icon ids are the
// skin's (resources/skin), referred to by number where they are drawn.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128

#define IDD_CODEC_CONNECT 231
#define IDD_FSINTRO 239
#define IDD_CODEC_UPDATE 240
#define IDD_FINDER 257

// The commands the menu buttons send: the three pages of their own and the three groups
// (a decoder page's is in its resource header).
#define MENU_CONNECT 32771
#define MENU_UPDATA 32772
#define MENU_FSINTRO 32781
#define MENU_VIDEO 32782
#define MENU_SOUND 32783
#define MENU_CAPTION 32784

#define IDC_ABOUT_VERSION 1100
#define IDC_ABOUT_NOTE 1101

// Codec Connect lists; the Codec Update page's four lists are 1002-1005.
#define IDC_INSTALLED_LIST 1001
#define IDC_REMOVED_LIST 1002
// Their pixel places (x, y, width, height); the template takes them at half scale.
#define IDC_INSTALLED_LIST_AT 10, 60, 295, 150
#define IDC_REMOVED_LIST_AT 10, 270, 295, 150

#define IDM_ABOUTBOX 16
