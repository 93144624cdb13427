#pragma once
// A launcher pad in this process, on the settings of a fresh registry.

#include <gtest/gtest.h>

#include <memory>

#include "core/desktop_toggle_file.h"
#include "core/entry_point.h"
#include "core/settings.h"
#include "objlib/persist.h"
#include "pad/main_window.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/message_pump.h"
#include "tests/support/sandbox.h"

class PadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppFolder = folder.Path();
        LayeredWindowsAvailable = true;
        WriteDesktopToggleFile(AppFolder);
        AppSettings = std::make_unique<cSettings>();
        RegistryKey key = ProductKey();
        Persistence().PersistOf(*AppSettings).Load(key);
    }
    void TearDown() override
    {
        pad.reset();
        AppSettings.reset();
    }

    static RegistryKey ProductKey()
    {
        return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    }
    static RegistryKey PositionKey() { return ProductKey().SubKey(L"Position"); }

    // Start-up's last step: a new pad, loaded and shown.
    cMain& StartPad()
    {
        pad = std::make_unique<cMain>();
        pad->Show();
        PumpFor(0);
        return *pad;
    }
    RECT PadRect() const
    {
        RECT rect{};
        GetWindowRect(pad->Handle(), &rect);
        return rect;
    }
    POINT PadCentre() const
    {
        const RECT rect = PadRect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    static int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
    static int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

    RegistrySandbox sandbox;
    TempFolder folder;
    DialogWatcher watcher;  // records any message box instead of waiting on it
    std::unique_ptr<cMain> pad;
};
