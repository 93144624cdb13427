#pragma once
// Starts a program as the user signed in to this desktop, with that user's
// own rights, however the caller runs: an installer confirmed through User
// Account Control runs elevated, and whatever it starts itself would run
// elevated too. The desktop's shell (Explorer) runs with the user's normal
// rights, so the program is handed to it to start, as elevated programs do
// to start something unelevated. Nothing here throws.

#include <windows.h>

enum class DesktopStart {
    Started,      // the desktop's shell started it
    NoShell,      // no shell answers for the desktop: nothing was started
    Failed,       // the shell was reached but could not start it
};

DesktopStart StartFromDesktop(const wchar_t* program, const wchar_t* folder);
