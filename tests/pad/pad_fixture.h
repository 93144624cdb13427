#pragma once
// A launcher pad in this process, on the settings of a fresh registry.

#include <gtest/gtest.h>

#include <memory>

#include "base/desktop_toggle_file.h"
#include "base/program_values.h"
#include "objlib/persist.h"
#include "pad/main_window.h"
#include "settings/settings.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/message_pump.h"
#include "tests/support/probe_log.h"
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
        pad = std::make_unique<cMain>(*AppSettings);
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
    // The pointer message a mouse produces, at client pixel (x, y) of the pad.
    void Mouse(UINT message, WPARAM buttonsHeld, int x, int y)
    {
        SendMessageW(pad->Handle(), message, buttonsHeld,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // A key's press or release message as the keyboard produces it.
    void Key(UINT message, UINT keyCode)
    {
        const bool released = message == WM_KEYUP || message == WM_SYSKEYUP;
        const bool extended = keyCode == VK_APPS;
        const LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC)) << 16) |
                              (extended ? LPARAM{1} << 24 : 0) |
                              (released ? static_cast<LPARAM>(0xC0000000u) : 0);
        SendMessageW(pad->Handle(), message, keyCode, lParam);
    }
    // The command starts the probe with the tag as its argument and caption.
    static void BindProbe(ShellCommand& command, const std::wstring& tag)
    {
        command.StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" " + tag);
        command.Caption = tag;
    }
    static bool Launched(const ProbeRecord& record, const std::wstring& tag)
    {
        return record.commandLine.ends_with(L" " + tag);
    }
    static int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
    static int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

    RegistrySandbox sandbox;
    TempFolder folder;
    DialogWatcher watcher;  // records any message box instead of waiting on it
    std::unique_ptr<cMain> pad;
};
