#include "tests/support/message_pump.h"

#include <algorithm>

#include "forms/form.h"

namespace {

void DispatchPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // As the program's own loops: the forms' keyboard interface first.
        if (TranslateFormMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchPending();
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        // done() may depend on other processes: look again every few milliseconds.
        constexpr DWORD kPollMs = 10;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kPollMs, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}
