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
#define IDD_PREFERRED 258
#define IDD_FINDER 257

// The commands the menu buttons send: the three pages of their own and the three groups
// (a decoder page's is in its resource header).
#define MENU_CONNECT 32771
#define MENU_UPDATA 32772
#define MENU_FSINTRO 32781
#define MENU_VIDEO 32782
#define MENU_SOUND 32783
#define MENU_CAPTION 32784
#define MENU_PREFERRED 32785

#define IDC_ABOUT_VERSION 1100
#define IDC_ABOUT_NOTE 1101

// The preferred decoders page: its format list, a drop list per player view, the apply and
// give-back buttons, and the labels before the drop lists; pixel places as below.
#define IDC_PREFERRED_LIST 1201
#define IDC_PREFERRED_CHOICE32 1202
#define IDC_PREFERRED_CHOICE64 1203
#define IDC_PREFERRED_APPLY 1204
#define IDC_PREFERRED_RESTORE 1205
#define IDC_PREFERRED_LABEL32 1206
#define IDC_PREFERRED_LABEL64 1207
#define IDC_PREFERRED_NOTE 1208
#define IDC_PREFERRED_LIST_AT 10, 24, 408, 296
#define IDC_PREFERRED_LABEL32_AT 10, 336, 110, 16
#define IDC_PREFERRED_CHOICE32_AT 120, 332, 298, 200
#define IDC_PREFERRED_LABEL64_AT 10, 364, 110, 16
#define IDC_PREFERRED_CHOICE64_AT 120, 360, 298, 200
#define IDC_PREFERRED_APPLY_AT 198, 392, 80, 24
#define IDC_PREFERRED_RESTORE_AT 288, 392, 130, 24
#define IDC_PREFERRED_NOTE_AT 10, 424, 408, 48

// Codec Connect lists; the Codec Update page's four lists are 1002-1005.
#define IDC_INSTALLED_LIST 1001
#define IDC_REMOVED_LIST 1002
// Their pixel places (x, y, width, height); the template takes them at half scale.
#define IDC_INSTALLED_LIST_AT 10, 60, 295, 150
#define IDC_REMOVED_LIST_AT 10, 270, 295, 150

#define IDM_ABOUTBOX 16
