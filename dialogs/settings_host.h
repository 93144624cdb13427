#pragma once
// What the settings dialog needs from the window that opens it: the window to
// own it (whose hot key and topmost state the dialog suspends), and word that
// new settings were applied.

#include <windows.h>

class SettingsHost {
public:
    virtual HWND HostWindow() = 0;
    virtual void SettingsApplied() = 0;

protected:
    ~SettingsHost() = default;
};
