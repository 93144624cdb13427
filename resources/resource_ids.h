#pragma once
// Resource numbers of korvane.exe, shared by the resource script and the code.

// The pad's icon, also the program's icon (the lowest number comes first).
#define IDI_KORVANE 1

// The eight raised arrows of the settings dialog's drag page, 93 × 93.
#define IDB_DRAG_ARROWS 10
// The 16 × 16 icons of the settings dialog's tabs, in page order.
#define IDI_TAB_DRAG 101
#define IDI_TAB_KEYS 102
#define IDI_TAB_MENU 103
#define IDI_TAB_GENERAL 104
