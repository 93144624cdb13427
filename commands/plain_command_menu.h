#pragma once
// The command menu the program makes itself, for when korvane.dll cannot be
// used (missing, broken, of another version): every entry as a plain item,
// a folder entry one that opens the folder, and the built-in actions, so
// that the settings and the exit stay in reach.

#include <windows.h>

#include <cstdint>

#include "commands/compiled_menu.h"

// What was chosen from the plain menu.
struct PlainMenuChoice {
    std::int32_t action = 0;  // a built-in action (1 to 3), or 0
    MenuChoice open;          // an entry to open, when its file is not empty
};

// Shows the menu at a point of the screen, owned by the pad, and returns
// once it has closed; dblClickCommand marks its action as the default.
PlainMenuChoice PopupPlainCommandMenu(HWND pad, const CompiledMenu& menuTable,
                                      std::int32_t dblClickCommand, POINT at);
