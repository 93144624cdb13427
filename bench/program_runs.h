#pragma once
// Other programs measured from outside: start-up to the window shown, peak
// memory; and this process's own processor time while idle.

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
// The share of one processor this process used while its messages were
// dispatched for the given time.
double IdleCpuPercent(DWORD ms);
