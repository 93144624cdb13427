#pragma once
// Helpers for the program's text boxes.

#include <windows.h>

namespace TextBoxTools {

// Enables or disables the box; a disabled box shows the button face behind
// its text, which it keeps.
void EnableTextBox(HWND box, bool enabled);
// A box that gets the focus selects all its text, ready to be typed over.
void OnTextBoxFocus(HWND box);

}  // namespace TextBoxTools
