#pragma once
// The pads running on this desktop, in this process or others: found to be
// brought forward by a second start, and closed by `korvane.exe /exit` and
// by the installer before it changes the program's files. Nothing here
// allocates or throws: the installer's small action library is built from it
// without the C++ runtime's exceptions.

#include <windows.h>

// The pads: top-level windows of the forms' class titled "Korvane", in
// window order. The title alone would take in any window so named (an
// Explorer window on the program's folder, a document) and a running pad's
// message boxes. One runs per session; a few more are only kept as far as
// there is room.
struct RunningPads {
    static constexpr int kCapacity = 16;
    HWND windows[kCapacity] = {};
    int count = 0;
};
// shownOnly leaves out pads whose window is hidden: one that is ending hides
// before it saves, and one that is starting is not shown yet.
RunningPads FindRunningPads(bool shownOnly = false);

struct PadClosing {
    int asked = 0;          // pads asked to close
    bool allEnded = true;   // every process that showed one ended in time
};

// Long enough for a pad to save its settings on a slow disk, short enough
// that an installer waiting on a pad stuck in a message box goes on.
inline constexpr DWORD kPadClosingTimeoutMs = 15000;

// Asks every pad outside this process to close as the taskbar and sign-out
// do (WM_CLOSE, which every version answers by saving its settings and
// ending) and waits up to timeoutMs for the processes to end.
PadClosing CloseRunningPads(DWORD timeoutMs = kPadClosingTimeoutMs);
