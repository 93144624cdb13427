#include "app/running_pads.h"

#include "base/win_handles.h"
#include "forms/window_class.h"

namespace {

struct PadSearch {
    RunningPads found;
    bool shownOnly = false;
};

BOOL CALLBACK CollectPad(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<PadSearch*>(param);
    // Longer than either name: a longer one is not cut down to match.
    wchar_t caption[16] = {};
    wchar_t className[16] = {};
    GetWindowTextW(window, caption, 16);
    GetClassNameW(window, className, 16);
    if (lstrcmpW(caption, L"Korvane") == 0 && lstrcmpW(className, kFormWindowClass) == 0 &&
        (!search.shownOnly || IsWindowVisible(window)))
        search.found.windows[search.found.count++] = window;
    return search.found.count < RunningPads::kCapacity;
}

}  // namespace

RunningPads FindRunningPads(bool shownOnly)
{
    PadSearch search;
    search.shownOnly = shownOnly;
    EnumWindows(CollectPad, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

PadClosing CloseRunningPads(DWORD timeoutMs)
{
    PadClosing closing;
    const RunningPads pads = FindRunningPads();
    // Each process opened before it is asked, so that its end cannot be missed.
    UniqueKernelHandle processes[RunningPads::kCapacity];
    for (int i = 0; i < pads.count; ++i) {
        DWORD id = 0;
        GetWindowThreadProcessId(pads.windows[i], &id);
        if (id == GetCurrentProcessId())
            continue;
        processes[i].reset(OpenProcess(SYNCHRONIZE, FALSE, id));
        if (!processes[i])
            closing.allEnded = false;
        PostMessageW(pads.windows[i], WM_CLOSE, 0, 0);
        ++closing.asked;
    }
    const DWORD deadline = GetTickCount() + timeoutMs;
    for (const UniqueKernelHandle& process : processes) {
        if (!process)
            continue;
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
        if (WaitForSingleObject(process.get(), left) != WAIT_OBJECT_0)
            closing.allEnded = false;
    }
    return closing;
}
