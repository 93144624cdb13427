// korvane.exe itself: started, found by its window, closed by the system.

#include <windows.h>

#include <gtest/gtest.h>

#include "objlib/persist.h"
#include "settings/settings.h"
#include "tests/support/message_pump.h"
#include "tests/support/probe_log.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"
#include "tests/support/user_steps.h"
#include "tests/support/window_query.h"
#include "tests/support/x_input.h"

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The dialog, opened by a double-click, which the settings make its action.
HWND OpenSettings(HWND pad)
{
    PostMessageW(pad, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(16, 16));
    PostMessageW(pad, WM_LBUTTONUP, 0, MAKELPARAM(16, 16));
    return WaitForNamedWindow(L"cDlgSettings");
}

// The default hot key (Ctrl+Shift+VK_OEM_102) is held by some window.
bool DefaultHotKeyTaken()
{
    if (!RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, VK_OEM_102))
        return true;
    UnregisterHotKey(nullptr, 1);
    return false;
}

}  // namespace

TEST(PadProgram, ThePadShowsUntilTheSystemClosesItAndThenTheProgramEnds)
{
    RegistrySandbox sandbox;
    const std::wstring commandFile = BuildFolder() + L"KORVANE.SCF";
    RunningProgram program(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.Started());

    const HWND pad = program.WaitForPad(20000);
    ASSERT_TRUE(pad);
    EXPECT_EQ(FindWindowW(nullptr, L"Korvane"), pad);
    RECT rect{};
    GetWindowRect(pad, &rect);
    EXPECT_EQ(rect.right - rect.left, 34);
    EXPECT_EQ(rect.left + 17, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_TRUE(Exists(commandFile));

    PostMessageW(pad, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(program.WaitForExit(20000), 0);

    EXPECT_FALSE(Exists(commandFile));
    const RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    EXPECT_EQ(product.ReadValue(L"Version", std::int32_t{0}), 500);
    // The settings were saved on the way out: the options and the position.
    EXPECT_EQ(product.ReadValue(L"DoubleClickCommand", std::int32_t{0}), 1);
    EXPECT_TRUE(product.ReadValue(L"AlwaysOnTop", false));
    EXPECT_EQ(product.ReadValue(L"HotKey", std::int32_t{0}), 994);
    const RegistryKey position = product.SubKey(L"Position");
    EXPECT_NEAR(position.ReadValue(L"x", -1.0f), 0.5f, 1.0f / GetSystemMetrics(SM_CXSCREEN));
    EXPECT_NEAR(position.ReadValue(L"y", -1.0f), 0.5f, 1.0f / GetSystemMetrics(SM_CYSCREEN));
}

// What an installer does before it replaces the program's files: Windows'
// Restart Manager asks the pad to end as at sign-out, and the installer's own
// action runs `korvane.exe /exit`. Either way the settings are saved and the
// process ends; with no pad left, /exit has nothing to wait for.
TEST(PadProgram, ClosedForAnInstallerItSavesItsSettingsAndEnds)
{
    const std::wstring program = BuildFolder() + L"korvane.exe";
    const auto savedOnTheWayOut = [] {
        const RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
        return product.HasValue(L"DoubleClickCommand") && product.SubKey(L"Position").Exists();
    };
    {
        RegistrySandbox sandbox;
        RunningProgram running(program);
        const HWND pad = running.WaitForPad(20000);
        ASSERT_TRUE(pad);
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(pad, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP,
                                        SMTO_ABORTIFHUNG, 5000, &answer));
        EXPECT_EQ(answer, TRUE);
        EXPECT_TRUE(running.Running());
        EXPECT_FALSE(savedOnTheWayOut());
        SendMessageTimeoutW(pad, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000,
                            &answer);
        EXPECT_EQ(running.WaitForExit(20000), 0);
        EXPECT_TRUE(running.Boxes().empty());
        EXPECT_TRUE(savedOnTheWayOut());
    }
    {
        RegistrySandbox sandbox;
        RunningProgram running(program);
        ASSERT_TRUE(running.WaitForPad(20000));
        EXPECT_EQ(RunProgram(L"\"" + program + L"\" /exit", 30000), 0);
        EXPECT_EQ(running.WaitForExit(0), 0);
        EXPECT_TRUE(savedOnTheWayOut());
        EXPECT_EQ(RunProgram(L"\"" + program + L"\" /exit", 30000), 0);
    }
}

// However the settings dialog is left, the pad is back the moment it has
// gone: enabled, on top as the settings say, and holding its hot key. Asked
// to end while the dialog is open (WM_CLOSE from /exit or an installer, the
// session's end), it closes the dialog as Cancel does and ends, saving its
// own state and showing no box (about a hot key it got back, say).
TEST(PadProgram, TheSettingsDialogGivesThePadBackAndGoesWhenThePadMustEnd)
{
    const struct {
        const char* way;
        std::function<void(HWND dialog)> leave;
    } waysOut[] = {
        {"OK", [](HWND dialog) { ClickOn(ChildNamed(dialog, L"cmdOk")); }},
        {"Cancel", [](HWND dialog) { ClickOn(ChildNamed(dialog, L"cmdCancel")); }},
        {"Escape", [](HWND) { PressKeys(L"Escape"); }},
        {"close box", [](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const bool sessionEnds : {false, true}) {
        RegistrySandbox sandbox;
        RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
        product.WriteValue(L"DoubleClickCommand", std::int32_t{2});
        RunningProgram running(BuildFolder() + L"korvane.exe");
        const HWND pad = running.WaitForPad(20000);
        ASSERT_TRUE(pad);
        const auto padBack = [pad] {
            return IsWindowEnabled(pad) && DefaultHotKeyTaken() &&
                   (GetWindowLongW(pad, GWL_EXSTYLE) & WS_EX_TOPMOST);
        };
        for (const auto& wayOut : waysOut) {
            const HWND dialog = OpenSettings(pad);
            ASSERT_TRUE(dialog) << wayOut.way;
            ASSERT_TRUE(Eventually([&] { return !IsWindowEnabled(pad) && !DefaultHotKeyTaken(); }));
            wayOut.leave(dialog);
            ASSERT_TRUE(WaitUntilNoNamedWindow(L"cDlgSettings"));
            EXPECT_TRUE(PumpUntil(padBack, 700)) << wayOut.way;
        }

        const HWND dialog = OpenSettings(pad);
        ASSERT_TRUE(dialog);
        SetWindowTextW(ChildNamed(dialog, L"txtCaption"), L"not applied");
        DWORD_PTR answer = 0;
        if (sessionEnds) {
            SendMessageTimeoutW(pad, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
            SendMessageTimeoutW(pad, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        } else {
            PostMessageW(pad, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(running.WaitForExit(8000), 0) << sessionEnds;
        EXPECT_TRUE(running.Boxes().empty()) << sessionEnds;
        EXPECT_TRUE(product.SubKey(L"Position").Exists()) << sessionEnds;
        cSettings stored;
        Persistence().PersistOf(stored).Load(product);
        EXPECT_NE(stored.Drags().Item(1)->Caption, L"not applied") << sessionEnds;
    }
}

TEST(PadProgram, DraggingWithTheRealRightButtonToTheRightLaunchesTheRightwardCommand)
{
    RegistrySandbox sandbox;
    TempFolder folder;
    ProbeLogScope log{folder.Path()};
    {
        cSettings settings;
        RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
        Persistence().PersistOf(settings).Load(product);
        settings.Drags().Item(3)->StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" rightward");
        settings.Drags().Item(7)->StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" leftward");
        Persistence().PersistOf(settings).Save(product);
    }
    RunningProgram program(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(20000);
    ASSERT_TRUE(pad);

    RECT rect{};
    GetWindowRect(pad, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    const std::wstring from = ScreenPoint(x, y);
    const std::wstring to = ScreenPoint(x + 80, y + 10);
    ASSERT_TRUE(StartXdotool(L"mousemove " + from + L" sleep 0.3 mousedown 3 sleep 0.3 mousemove " +
                             to + L" sleep 0.3 mouseup 3"));
    const std::vector<ProbeRecord> records = log.WaitFor(1, 20000);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].commandLine.ends_with(L" rightward"));

    PostMessageW(pad, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(20000), 0);
}

// Wine sizes every program for its monitors' resolution; Windows stretches a
// program that does not say it does so itself, blurring it. What the shipped
// program says is in its manifest.
TEST(PadProgram, ItsManifestDeclaresItSizesItselfForEachMonitor)
{
    const std::wstring path = BuildFolder() + L"korvane.exe";
    const HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(bytes, SizeofResource(program, found));
    FreeLibrary(program);
    // Per monitor (version 2 where the system has it) from Windows 10 on, per
    // monitor on 8.1, the system's resolution before that.
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("http://schemas.microsoft.com/SMI/2016/WindowsSettings"),
              std::string::npos);
    EXPECT_NE(manifest.find("http://schemas.microsoft.com/SMI/2005/WindowsSettings"),
              std::string::npos);
}
