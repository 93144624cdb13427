#pragma once
// Message boxes of the program: always titled "Korvane".

#include <windows.h>

#include <string>

// Shows the box modally over owner (the thread's active window when null)
// and returns the button chosen (IDOK, IDYES, ...).
int MsgBox(const std::wstring& text, UINT style = MB_OK | MB_ICONEXCLAMATION, HWND owner = nullptr);
