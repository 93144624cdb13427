#pragma once
// The names the program gives its windows, readable from any process: the
// window property "Name" holds a global atom of the name.

#include <windows.h>

#include <string>

// Gives the window its name; a name it had before is released.
void AttachWindowName(HWND window, const std::wstring& name);
// Removes the property and releases its atom; nothing when it has none.
void DetachWindowName(HWND window);
// The window's name, or the empty string.
std::wstring WindowNameOf(HWND window);
// The window's text (its caption, or a control's content).
std::wstring WindowText(HWND window);
// The visible or hidden top-level window with this name and, unless empty,
// this window text; null when there is none.
HWND FindNamedWindow(const std::wstring& name, const std::wstring& text = {});
