#include "bench/program_runs.h"

#include <psapi.h>

#include "base/win_handles.h"
#include "bench/bench_clock.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId)
{
    WindowSearch search{processId};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

ProgramRun RunOnce(const std::wstring& path)
{
    ProgramRun run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    const double start = Microseconds();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return run;
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = VisibleWindowOf(info.dwProcessId)) != nullptr; }, 30000)) {
        TerminateProcess(process.get(), 1);
        return run;
    }
    run.startUpMs = (Microseconds() - start) / 1000;
    // Settled: what start-up left running has run.
    Sleep(300);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
        run.peakWorkingSetKb = memory.PeakWorkingSetSize / 1024.0;
        run.peakPrivateKb = memory.PeakPagefileUsage / 1024.0;
    }
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    run.ok = true;
    return run;
}
