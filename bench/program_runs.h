#pragma once
// Other programs measured from outside: start-up to the window shown, peak
// memory.

#include <windows.h>

#include <string>

struct ProgramRun {
    double startUpMs = 0;       // CreateProcess to the window shown
    double peakWorkingSetKb = 0;
    double peakPrivateKb = 0;
    bool ok = false;
};

// Starts a program, waits for its window, takes its measures, closes it.
ProgramRun RunOnce(const std::wstring& path);
