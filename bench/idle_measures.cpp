#include "bench/idle_measures.h"

#include "base/win_handles.h"
#include "bench/bench_clock.h"

namespace {

int timerTicks = 0;
int messages = 0;

LRESULT CALLBACK CountPosted(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        ++messages;
        if (reinterpret_cast<const MSG*>(lParam)->message == WM_TIMER)
            ++timerTicks;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION)
        ++messages;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Microseconds of processor time this process has used.
double ProcessorTime()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10;
}

void DispatchFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        PumpPending();
    }
}

// Whether the pointer lies on the window, as the system sees it.
bool PointerOn(HWND window)
{
    POINT pointer{};
    GetCursorPos(&pointer);
    return WindowFromPoint(pointer) == window;
}

POINT CentreOf(HWND window)
{
    RECT box{};
    GetWindowRect(window, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace

IdleLoad IdleFor(DWORD ms)
{
    const UniqueHook posted(
        SetWindowsHookExW(WH_GETMESSAGE, CountPosted, nullptr, GetCurrentThreadId()));
    const UniqueHook sent(
        SetWindowsHookExW(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId()));
    timerTicks = 0;
    messages = 0;
    const double busyFrom = ProcessorTime(), from = Microseconds();
    DispatchFor(ms);
    IdleLoad load;
    load.cpuPercent = 100 * (ProcessorTime() - busyFrom) / (Microseconds() - from);
    load.timerTicks = timerTicks;
    load.messages = messages;
    return load;
}

PadIdle IdleOfPad(HWND pad, DWORD ms)
{
    constexpr DWORD kSettleMs = 1000;
    PadIdle idle;
    // Another window of the process, away from the pad, to take the activation.
    RECT padBox{};
    GetWindowRect(pad, &padBox);
    const UniqueWindow other(CreateWindowExW(
        0, L"STATIC", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, padBox.right + 100,
        padBox.bottom + 100, 200, 120, nullptr, nullptr, nullptr, nullptr));

    SetForegroundWindow(other.get());
    const POINT onPad = CentreOf(pad);
    SetCursorPos(onPad.x, onPad.y);
    DispatchFor(kSettleMs);
    idle.inactiveReached = GetActiveWindow() == other.get() && PointerOn(pad);
    idle.inactive = IdleFor(ms);

    const POINT elsewhere = CentreOf(other.get());
    SetCursorPos(elsewhere.x, elsewhere.y);
    SetForegroundWindow(pad);
    DispatchFor(kSettleMs);
    idle.activeReached = GetActiveWindow() == pad && !PointerOn(pad);
    idle.activeElsewhere = IdleFor(ms);
    return idle;
}
