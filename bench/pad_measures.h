#pragma once
// A pad in the benchmark's own process, its launches caught at the shell's
// door: the program finds ShellExecuteExW through GetProcAddress when it first
// needs it, and this program's own import of GetProcAddress answers with a
// recorder, so nothing starts and the product holds no hook. Beside each
// launch measure, in turn with it, its floor.

#include <windows.h>

#include <string>
#include <vector>

#include "pad/main_window.h"

// Points this program's import of GetProcAddress at the recorder; false when
// the program does not import it.
bool CatchLaunches();
// The file of the last launch caught.
const std::wstring& LastLaunchedFile();

// Release of a right-drag to the right, to the call of the shell; in turn
// with each release, the same for a bare window doing only the steps every
// launch from a release needs (bench/bare_release.h).
struct ReleaseTimes {
    std::vector<double> release;
    std::vector<double> floor;
};

ReleaseTimes ReleaseToLaunch(HWND pad, int rounds);
// The status window going away after the launch.
std::vector<double> StatusUnload(cMain& pad, int rounds);
std::vector<double> ExecuteToLaunch(cMain& pad, int rounds);

// The applications key pressed and released on the pad, which opens the
// command menu; returns when the menu has closed.
void PressMenuKey(HWND pad);

// From the choice, and from the menu's return, to the call of the shell; in
// turn with each, the floor of a real ShellExecuteEx call.
struct MenuTimes {
    std::vector<double> choice;
    std::vector<double> ownPart;
    std::vector<double> bareShellExecute;
};

MenuTimes MenuChoiceToLaunch(HWND pad, int rounds, const std::wstring& program);

// The settings dialog from its opening to the end of its first paint.
std::vector<double> DialogOpenToFirstPaint(cMain& pad, int rounds);
