#pragma once
// The resolution of the monitors, as a program that declares itself aware of
// each monitor's resolution sees them. Each answer comes from the newest
// call the system has, else from an older one: on a system without
// per-monitor resolutions every window has the system's.

#include <windows.h>

#include <vector>

#include "base/plane.h"

// Dots per inch of the system (of the primary monitor when the user signed in).
int SystemDpi();
// Dots per inch a window is drawn at now: that of the monitor it is on.
int WindowDpi(HWND window);

// The size of a window whose client area is clientWidth × clientHeight
// pixels, with the frame the style gives it at dpi.
SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// What the system tells of a monitor; where it cannot tell, the primary
// screen as both the monitor and its work area.
MONITORINFO MonitorInfoOf(HMONITOR monitor);
// Where each monitor attached to the desktop lies in the virtual screen, in
// pixels (the primary monitor's top-left corner is 0, 0), the primary first.
std::vector<Box> DisplayMonitors();
// The monitor a window is on, or a point lies on (the nearest one when none).
Box MonitorOf(HWND window);
Box MonitorAt(POINT point);
