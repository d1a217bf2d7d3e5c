// Resource ids of Zelora.exe that code and templates share. Bitmap and icon ids are the
// skin's (resources/skin), referred to by number where they are drawn.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128

#define IDD_CODEC_CONNECT 231
#define IDD_SOUND_FFDSHOW 232
#define IDD_VIDEO_DIVX 233
#define IDD_VIDEO_XVID 234
#define IDD_SOUND_AC3 235
#define IDD_SOUND_KORRIN 236
#define IDD_CAPTION_VSFILTER 237
#define IDD_CAPTION_DIVXG400 238
#define IDD_FSINTRO 239
#define IDD_CODEC_UPDATE 240
#define IDD_VIDEO_FFDSHOW 241
#define IDD_FINDER 257

#define IDC_ABOUT_VERSION 1100
#define IDC_ABOUT_NOTE 1101

// Codec Connect lists; the Codec Update page's four lists are 1002-1005.
#define IDC_INSTALLED_LIST 1001
#define IDC_REMOVED_LIST 1002

#define IDM_ABOUTBOX 16
