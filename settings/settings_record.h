#pragma once
// Everything a settings file carries, as plain values: the options, the pad's
// place and the three command lists, each with the default an absent registry
// value reads as. No Windows dependency.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct CommandRecord {
    std::wstring program;           // as stored: maybe quoted, maybe with %NAME%
    std::wstring arguments;
    std::wstring workingDirectory;  // as stored
    std::wstring caption;
    std::int32_t windowState = 0;   // 0 automatic, 1 normal, 2 maximized, 3 minimized
    bool setFocus = true;

    bool operator==(const CommandRecord&) const = default;
};

struct SettingsRecord {
    bool popupStatus = true;
    bool alwaysOnTop = true;
    std::int32_t doubleClickCommand = 1;
    bool activeStyle = false;
    std::int32_t hotKey = 0;
    bool swapButtons = false;
    bool useCustomIcon = false;
    std::wstring customIconFile;
    std::wstring language;  // "ja", "en", or empty to follow Windows
    // The pad's centre as fractions of the primary screen.
    float x = 0.5f;
    float y = 0.5f;
    std::array<CommandRecord, 8> drags;  // drag slots 1 to 8, up first, clockwise
    std::array<CommandRecord, 36> keys;  // A to Z, then 0 to 9
    std::vector<CommandRecord> menus;

    bool operator==(const SettingsRecord&) const = default;
};
