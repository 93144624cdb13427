#pragma once
// Reading the program's windows as a user or another program sees them.

#include <windows.h>

#include <string>
#include <vector>

// The descendant of parent with this "Name", or null.
HWND ChildNamed(HWND parent, const std::wstring& name);
std::wstring ClassOf(HWND window);
// The text a window shows, asked of the window itself: also right for an edit
// box of another process, whose text the system does not keep for others.
std::wstring TextOf(HWND window);
// The text that the tool-tip control owned by form shows for a window;
// "<no tool-tip control>" when the form has none.
std::wstring ToolTipOf(HWND form, HWND control);
// A window's position and size in its parent's client area.
RECT BoundsInParent(HWND window);
// The lines of a list box, in order.
std::vector<std::wstring> ListLines(HWND list);
