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
    if (OnTimer)
        OnTimer();
}
