#pragma once
// Resource numbers of korvane.exe, shared by the resource script and the code.

// The pad's icon, also the program's icon (the lowest number comes first).
#define IDI_KORVANE 1

// The icons of the settings dialog's tabs, in page order; each holds images
// of 16, 20, 24, 28, 32 and 40 pixels square.
#define IDI_TAB_DRAG 101
#define IDI_TAB_KEYS 102
#define IDI_TAB_MENU 103
#define IDI_TAB_GENERAL 104
