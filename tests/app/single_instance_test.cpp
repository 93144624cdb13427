#include <windows.h>

#include <gtest/gtest.h>

#include "app/entry_point.h"
#include "base/win_handles.h"
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
