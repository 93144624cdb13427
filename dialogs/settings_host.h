#pragma once
// What the settings dialog needs from the window that opens it: the window to
// own it, the host's topmost state and hot key set aside while it is open,
// and word that new settings were saved.

#include <windows.h>

#include <cstdint>

class SettingsHost {
public:
    virtual HWND HostWindow() = 0;
    // For as long as the dialog is open the host is not topmost, so that the
    // dialog stays in front of it, and holds no hot key, so that the dialog's
    // hot-key field can take the host's own. Answers the hot key it held.
    virtual std::int32_t SuspendTopmostAndHotKey() = 0;
    // Both back as the host's settings say.
    virtual void ResumeTopmostAndHotKey() = 0;
    // OK or Apply saved the settings: the host takes them up.
    virtual void SettingsApplied() = 0;
    // An import replaced every stored setting, the host's place among them:
    // the host takes them all up and goes to that place.
    virtual void SettingsReplaced() = 0;

protected:
    ~SettingsHost() = default;
};
