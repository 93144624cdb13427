#pragma once
// What this process costs while nothing happens: its processor time and the
// timer messages its windows get, with the pad in the states a user leaves it in.

#include <windows.h>

struct IdleLoad {
    double cpuPercent = 0;  // of one processor
    int timerTicks = 0;     // WM_TIMER messages for windows of this thread
    int messages = 0;       // every message this thread's windows got
};

// This thread's messages dispatched for the given time.
IdleLoad IdleFor(DWORD ms);

// The pad inactive, another window of this process active and the pointer
// resting on the pad; then the pad active with the pointer resting elsewhere.
// Each state has settled for a second before it is measured.
struct PadIdle {
    IdleLoad inactive;
    IdleLoad activeElsewhere;
    bool inactiveReached = false;  // the states were what they should be
    bool activeReached = false;
};

PadIdle IdleOfPad(HWND pad, DWORD ms);
