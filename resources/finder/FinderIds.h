// Control ids of the finder window and the home-page box's template, shared by the
// templates and the code.
#pragma once

#define IDD_HOMEPAGE 315

#define IDC_FIND_QUICK 1003
#define IDC_FIND_TITLE 1146
#define IDC_FIND_CATEGORY 1153
#define IDC_FIND_SITE 1154
