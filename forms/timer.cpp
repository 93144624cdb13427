#include "forms/timer.h"

#include <algorithm>

#include "forms/form.h"

Timer::Timer(Form& form, UINT intervalMs, bool enabled)
    : form_(form), interval_(intervalMs), enabled_(enabled)
{
    form_.timers_.push_back(this);
    Arm();
}

Timer::~Timer()
{
    Disarm();
    std::erase(form_.timers_, this);
}

void Timer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled_)
        Arm();
    else
        Disarm();
}

void Timer::SetInterval(UINT intervalMs)
{
    interval_ = intervalMs;
    Arm();
}

void Timer::Arm()
{
    const HWND window = form_.Handle();
    if (window && enabled_ && interval_ > 0)
        SetTimer(window, Id(), interval_, nullptr);
    else
        Disarm();
}

void Timer::Disarm()
{
    if (const HWND window = form_.Handle())
        KillTimer(window, Id());
}

void Timer::Tick()
{
    if (!OnTimer)
        return;
    try {
        OnTimer();
    } catch (...) {
        // What failed at this tick would fail at the next ones too, each in a
        // box of its own, ticking on inside the first box's loop: the timer
        // stops, and the failure goes on to the window's edge to be shown once.
        SetEnabled(false);
        throw;
    }
}
