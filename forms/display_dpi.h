#pragma once
// The resolution of the monitors, as a program that declares itself aware of
// each monitor's resolution sees them. Each answer comes from the newest
// call the system has, else from an older one: on a system without
// per-monitor resolutions every monitor and window has the system's.

#include <windows.h>

#include <vector>

#include "base/plane.h"

// Dots per inch of the system (of the primary monitor when the user signed in).
int SystemDpi();
// Dots per inch of a monitor.
int MonitorDpi(HMONITOR monitor);
// Dots per inch of the monitor the point lies on, or of the nearest one.
int DpiAt(POINT point);
// Dots per inch a window is drawn at now.
int WindowDpi(HWND window);

// The size of a window whose client area is clientWidth × clientHeight
// pixels, with the frame the style gives it at dpi.
SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
// A system metric (SM_CXICON ...) as it is at dpi.
int SystemMetricAt(int index, int dpi);

// Every monitor attached to the desktop, the primary one first.
std::vector<MonitorArea> DisplayMonitors();
// The monitor a window is on, or a point lies on (the nearest one when none).
MonitorArea MonitorOf(HWND window);
MonitorArea MonitorAt(POINT point);
