// Resource ids of the DivX G400 page (template 238): its template, its menu
// command and its controls, shared by its template and its code.
// Each up-down control follows its edit in the template: it takes the edit as its buddy.
#pragma once

#define IDD_CAPTION_DIVXG400 238
// The command its menu button sends.
#define MENU_CAPTION_DIVXG400 32779

#define IDC_G400_OVERSCAN_ON 1003
#define IDC_G400_FILL_ON 1004
#define IDC_G400_FILLH_ON 1005
#define IDC_G400_DOUBLE_ON 1007
#define IDC_G400_YSHIFT 1008
#define IDC_G400_ECONOMIC 1009
#define IDC_G400_TRANSPARENT 1010
#define IDC_G400_FLIP 1012
#define IDC_G400_TV 1013
#define IDC_G400_OVERSCAN 1019
#define IDC_G400_FILL 1020
#define IDC_G400_FILLH 1021
#define IDC_G400_DOUBLE 1022
#define IDC_G400_FILL2 1084
#define IDC_G400_OVERSCAN_UNIT 1089
#define IDC_G400_FILL_UNIT 1090
#define IDC_G400_FILLH_UNIT 1091
#define IDC_G400_FLIP_TITLE 1092
#define IDC_G400_TV_TITLE 1093
#define IDC_G400_DELAY_TITLE 1094
#define IDC_G400_SPEED_TITLE 1095
#define IDC_G400_XPOS_TITLE 1096
#define IDC_G400_YPOS_TITLE 1097
#define IDC_G400_MARGIN_TITLE 1098
#define IDC_G400_DELAY_SPIN 1106
#define IDC_G400_DELAY 1107
#define IDC_G400_SPEED 1108
#define IDC_G400_SPEED_SPIN 1109
#define IDC_G400_MARGIN 1112
#define IDC_G400_MARGIN_SPIN 1113
#define IDC_G400_YPOS 1114
#define IDC_G400_YPOS_SPIN 1115
#define IDC_G400_XPOS 1116
#define IDC_G400_XPOS_SPIN 1117
