#pragma once
// Cost as the user's lists grow: every key and drag direction set and a menu
// of 10, 100 or 1000 entries, each program a path of 259 characters. Start-up
// of korvane.exe reading such settings, and in this process's pad the command
// menu opening, the settings dialog opening and the unload at exit, which
// saves them; and the settings read from the registry. The sizes take turns
// round by round, so that each meets the same machine.

#include <windows.h>

#include <array>
#include <string>
#include <vector>

inline constexpr std::array<int, 3> kGrowthSizes = {10, 100, 1000};

struct GrowthTimes {
    // By size, as in kGrowthSizes.
    std::array<std::vector<double>, 3> startUpMs;
    std::array<std::vector<double>, 3> menuOpeningMs;
    std::array<std::vector<double>, 3> dialogMs;
    std::array<std::vector<double>, 3> exitSaveMs;
    std::array<std::vector<double>, 3> readMs;  // the stored settings read
    // Each round's figure at the largest size over its figure at the smallest.
    std::vector<double> startUpRatios;
    std::vector<double> dialogRatios;
};

// korvane.exe started on settings of each size in the current user's key,
// which is left holding the last of them. No pad may run in this process.
void MeasureStartUpGrowth(const std::wstring& korvane, int rounds, GrowthTimes& times);
// A pad of this process (MainWindow, none before) on settings of each size
// in turn, unloaded after each; AppSettings is put back afterwards.
void MeasurePadGrowth(int rounds, GrowthTimes& times);
