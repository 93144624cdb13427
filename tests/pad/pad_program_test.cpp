// korvane.exe itself: started, found by its window, closed by the system.

#include <windows.h>

#include <gtest/gtest.h>

#include "core/entry_point.h"
#include "core/settings.h"
#include "core/win_handles.h"
#include "forms/window_name.h"
#include "objlib/persist.h"
#include "tests/support/message_pump.h"
#include "tests/support/probe_log.h"
#include "tests/support/sandbox.h"

namespace {

struct Started {
    bool created = false;
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
};

Started StartProgram(const std::wstring& path, const std::wstring& arguments = L"")
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    Started started;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        started.created = true;
        started.process.reset(info.hProcess);
        started.thread.reset(info.hThread);
    }
    return started;
}

// Real X input: xdotool, a program of the machine Wine runs on. Such a
// process has no handle to wait on; the caller waits for what the input does.
bool StartXdotool(const std::wstring& arguments)
{
    return StartProgram(L"Z:\\usr\\bin\\xdotool", arguments).created;
}

HWND WaitForPad()
{
    HWND pad = nullptr;
    PumpUntil(
        [&] {
            pad = FindNamedWindow(L"cMain", L"Korvane");
            return pad && IsWindowVisible(pad);
        },
        20000);
    return pad;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(PadProgram, ThePadShowsUntilTheSystemClosesItAndThenTheProgramEnds)
{
    RegistrySandbox sandbox;
    const std::wstring commandFile = BuildFolder() + L"KORVANE.SCF";
    Started program = StartProgram(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.process);

    const HWND pad = WaitForPad();
    ASSERT_TRUE(pad);
    EXPECT_EQ(FindWindowW(nullptr, L"Korvane"), pad);
    RECT rect{};
    GetWindowRect(pad, &rect);
    EXPECT_EQ(rect.right - rect.left, 34);
    EXPECT_EQ(rect.left + 17, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_TRUE(Exists(commandFile));

    PostMessageW(pad, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(program.process.get(), 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(program.process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

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
    Started program = StartProgram(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.process);
    const HWND pad = WaitForPad();
    ASSERT_TRUE(pad);

    RECT rect{};
    GetWindowRect(pad, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    const std::wstring from = std::to_wstring(x) + L" " + std::to_wstring(y);
    const std::wstring to = std::to_wstring(x + 80) + L" " + std::to_wstring(y + 10);
    ASSERT_TRUE(StartXdotool(L"mousemove " + from + L" sleep 0.3 mousedown 3 sleep 0.3 mousemove " +
                             to + L" sleep 0.3 mouseup 3"));
    const std::vector<ProbeRecord> records = log.WaitFor(1, 20000);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].commandLine.ends_with(L" rightward"));

    PostMessageW(pad, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForSingleObject(program.process.get(), 20000), WAIT_OBJECT_0);
}
