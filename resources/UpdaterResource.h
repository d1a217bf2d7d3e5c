// Resource ids of ZeloraUpdate.exe that code and templates share. They overlap Zelora's
// numbers on purpose (the two programs never share a module); bitmap ids are the updater
// skin's (resources/skin/SkinTableUpdate.inc).
#pragma once

#define IDD_UPDATER_ABOUT 100
#define IDS_UPDATER_ABOUT 101
#define IDD_UPDATER 102
#define IDI_UPDATER 128

#define IDC_UPDATER_START 1000
#define IDC_UPDATER_LIST 1005
#define IDC_UPDATER_PROGRESS 1009
#define IDC_UPDATER_ABOUT_VERSION 1100

#define IDM_UPDATER_ABOUT 16
