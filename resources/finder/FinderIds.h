// Control ids of the finder window and the home-page box's template, shared by the
// templates and the code.
#pragma once

#define IDD_HOMEPAGE 315

#define IDC_FIND_QUICK 1003
#define IDC_FIND_TITLE 1146
#define IDC_FIND_CATEGORY 1153
#define IDC_FIND_SITE 1154

// Their pixel places in the finder (x, y, width, height); its template takes them at half
// scale.
#define IDC_FIND_CATEGORY_AT 22, 104, 100, 120
#define IDC_FIND_SITE_AT 135, 104, 100, 120
#define IDC_FIND_TITLE_AT 238, 104, 160, 22
#define IDC_FIND_QUICK_AT 463, 105, 120, 22
