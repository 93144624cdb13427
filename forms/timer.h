#pragma once
// A timer control: it belongs to a form and ticks on the form's thread, every
// Interval milliseconds while it is enabled and the form is loaded.

#include <windows.h>

#include <functional>

class Form;

class Timer {
public:
    Timer(Form& form, UINT intervalMs, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // The control's Timer event; nothing happens on a tick while it is empty.
    // A tick that fails disables the timer before its failure is shown.
    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT intervalMs);

private:
    friend class Form;
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    // Called by the form when its window has been created.
    void Arm();
    void Disarm();
    void Tick();

    Form& form_;
    UINT interval_;
    bool enabled_;
};
