#pragma once
// Real X input for the program's windows: xdotool, a program of the machine
// Wine runs on.

#include <windows.h>

#include <string>

// Starts xdotool with these arguments. Such a process has no handle to wait
// on: the caller waits for what the input does. Within one call the input
// arrives in order.
bool StartXdotool(const std::wstring& arguments);

// "x y" of a point of the screen, for xdotool's mousemove.
std::wstring ScreenPoint(int x, int y);
// "x y" of a window's centre on the screen.
std::wstring CentreOf(HWND window);
