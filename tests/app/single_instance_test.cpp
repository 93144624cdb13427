#include <windows.h>

#include <gtest/gtest.h>

#include "app/entry_point.h"
#include "base/win_handles.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"

// A second start finds the first instance, brings its window to the front and
// ends without writing its file or touching the registry.
TEST(SingleInstance, ASecondStartOnlyActivatesTheFirst)
{
    RegistrySandbox sandbox;
    UniqueKernelHandle running(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    ASSERT_TRUE(running);
    UniqueWindow pad(CreateWindowExW(0, L"STATIC", L"Korvane", WS_POPUP | WS_VISIBLE, 10, 10, 34,
                                     34, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    // A message box of the running instance has the same title, and lies above the pad.
    UniqueWindow box(CreateWindowExW(0, L"#32770", L"Korvane", WS_POPUP | WS_VISIBLE, 60, 10, 34,
                                     34, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    UniqueWindow other(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 100, 10, 34,
                                       34, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    SetForegroundWindow(other.get());
    ASSERT_EQ(GetForegroundWindow(), other.get());
    const std::wstring commandFile = BuildFolder() + L"KORVANE.SCF";
    DeleteFileW(commandFile.c_str());

    EXPECT_EQ(RunProgram(L"\"" + BuildFolder() + L"korvane.exe\"", 30000), 0);

    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(GetForegroundWindow(), pad.get());
    EXPECT_EQ(GetFileAttributesW(commandFile.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, L"Software\\Tessaly"));
}

// An instance whose pad has gone may hold the lock a moment longer while its
// process ends. A start meanwhile finds the lock and no pad: it waits for the
// lock and shows a pad of its own, instead of ending without a word.
TEST(SingleInstance, AStartWhileTheLastInstanceEndsShowsAPad)
{
    RegistrySandbox sandbox;
    UniqueKernelHandle ending(CreateMutexW(nullptr, TRUE, kInstanceMutexName));
    ASSERT_TRUE(ending);
    RunningProgram program(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(WaitForSingleObject(program.Process(), 1500), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the start ended while the lock was held";
    ReleaseMutex(ending.get());
    ending.reset();
    const HWND pad = program.WaitForPad(20000);
    ASSERT_TRUE(pad);
    EXPECT_EQ(program.Close(20000), 0);
}
