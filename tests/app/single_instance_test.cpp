#include <windows.h>

#include <gtest/gtest.h>

#include "app/entry_point.h"
#include "app/running_pads.h"
#include "base/win_handles.h"
#include "forms/window_class.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "tests/support/message_pump.h"
#include "tests/support/probe_log.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"

namespace {

// A window of another program: the probe shows it with this class and
// title, deaf to WM_CLOSE when asked.
HWND StandIn(RunningProgram& program, const wchar_t* className, const wchar_t* title)
{
    HWND window = nullptr;
    PumpUntil([&] {
        window = FindWindowW(className, title);
        return window != nullptr || !program.Running();
    }, 20000);
    return window;
}

}  // namespace

// A second start finds the first instance, brings its window to the front and
// ends without writing its file or touching the registry.
TEST(SingleInstance, ASecondStartOnlyActivatesTheFirst)
{
    RegistrySandbox sandbox;
    UniqueKernelHandle running(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    ASSERT_TRUE(running);
    WNDCLASSW padClass{};
    padClass.lpfnWndProc = DefWindowProcW;
    padClass.hInstance = GetModuleHandleW(nullptr);
    padClass.lpszClassName = kFormWindowClass;
    RegisterClassW(&padClass);
    UniqueWindow pad(CreateWindowExW(0, kFormWindowClass, L"Korvane", WS_POPUP | WS_VISIBLE, 10,
                                     10, 34, 34, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr));
    // A message box of the running instance has the same title, and so may
    // a window of another program (Explorer on the program's folder); both
    // lie above the pad.
    UniqueWindow box(CreateWindowExW(0, L"#32770", L"Korvane", WS_POPUP | WS_VISIBLE, 60, 10, 34,
                                     34, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    UniqueWindow folder(CreateWindowExW(0, L"STATIC", L"Korvane", WS_POPUP | WS_VISIBLE, 140, 10,
                                        34, 34, nullptr, nullptr, GetModuleHandleW(nullptr),
                                        nullptr));
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

// Closed and started again at once, several times at different delays: each
// start shows a pad, never calling forward the one that is ending.
TEST(SingleInstance, AStartRightAfterThePadClosedShowsAPad)
{
    RegistrySandbox sandbox;
    {
        // A long menu, so that the ending pad is saving when the next start looks.
        cSettings settings;
        for (int entry = 0; entry < 400; ++entry)
            settings.Menus().Add(-1)->Caption = L"Entry " + std::to_wstring(entry);
        RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
        Persistence().PersistOf(settings).Save(product);
    }
    for (const DWORD delay : {0u, 150u, 400u}) {
        RunningProgram ending(BuildFolder() + L"korvane.exe");
        const HWND pad = ending.WaitForPad(20000);
        ASSERT_TRUE(pad);
        PostMessageW(pad, WM_CLOSE, 0, 0);
        Sleep(delay);
        RunningProgram next(BuildFolder() + L"korvane.exe");
        EXPECT_TRUE(next.WaitForPad(20000)) << "no pad after a start " << delay << " ms later";
        EXPECT_EQ(ending.WaitForExit(20000), 0);
        EXPECT_EQ(next.Close(20000), 0);
    }
}

// `/exit` and the installer's closing step ask only Korvane's pads to close
// and wait only for them: a window of another program titled "Korvane" is
// left open. A pad that does not end in time is reported as still running.
TEST(RunningPadsClosing, OnlyPadsAreClosedAndOneThatStaysIsReported)
{
    RunningProgram explorer(ProbeProgramPath(), L"/window CabinetWClass Korvane");
    ASSERT_TRUE(StandIn(explorer, L"CabinetWClass", L"Korvane"));
    EXPECT_EQ(RunProgram(L"\"" + BuildFolder() + L"korvane.exe\" /exit", 30000), 0);
    EXPECT_EQ(CloseRunningPads(1000).asked, 0);
    EXPECT_TRUE(explorer.Running());

    RunningProgram stuck(ProbeProgramPath(), L"/window KorvaneForm Korvane /deaf");
    ASSERT_TRUE(StandIn(stuck, kFormWindowClass, L"Korvane"));
    const PadClosing closing = CloseRunningPads(300);
    EXPECT_EQ(closing.asked, 1);
    EXPECT_FALSE(closing.allEnded);
    EXPECT_TRUE(stuck.Running());
}
