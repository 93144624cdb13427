#pragma once
// Dispatching this thread's messages while a test waits for its windows.

#include <windows.h>

#include <functional>

// Dispatches messages until done() holds or timeoutMs has passed; done()'s
// last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches messages for the given time (for checking that something does
// not happen).
void PumpFor(DWORD ms);
