#pragma once
// Resource numbers of korvane.exe, shared by the resource script and the code.

// The pad's icon, also the program's icon (the lowest number comes first).
#define IDI_KORVANE 1

// The eight raised arrows of the settings dialog's drag page, 93 × 93, then
// the same figure drawn for 125, 150, 175 and 200 % display scaling (115,
// 139, 161 and 185 pixels square), one number after the other.
#define IDB_DRAG_ARROWS 10
#define IDB_DRAG_ARROWS_125 11
#define IDB_DRAG_ARROWS_150 12
#define IDB_DRAG_ARROWS_175 13
#define IDB_DRAG_ARROWS_200 14
// The icons of the settings dialog's tabs, in page order; each holds images
// of 16, 24 and 32 pixels square.
#define IDI_TAB_DRAG 101
#define IDI_TAB_KEYS 102
#define IDI_TAB_MENU 103
#define IDI_TAB_GENERAL 104
