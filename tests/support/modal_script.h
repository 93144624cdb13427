#pragma once
// Drives a modal loop from inside: the steps run one per tick of a thread
// timer, so each step starts only after the messages that the step before
// posted have all been handled (posted messages come before timer ticks).

#include <windows.h>

#include <functional>
#include <vector>

class ModalScript {
public:
    // rescue runs once if the modal loop is still running well after the
    // last step; it should record a failure and end the loop.
    ModalScript(std::vector<std::function<void()>> steps, std::function<void()> rescue);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // How many steps have run.
    size_t StepsRun() const { return next_; }

    // Within a step: runs the same step again on the next tick, for a
    // window that is not ready yet. A step repeated for seconds moves on.
    static void RepeatStep();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Run();

    std::vector<std::function<void()>> steps_;
    std::function<void()> rescue_;
    UINT_PTR timer_;
    size_t next_ = 0;
    int idleTicks_ = 0;
    int repeats_ = 0;
    bool running_ = false;
    bool repeat_ = false;
};

// Posts a key press (down and up) to a window.
void PostKey(HWND window, int keyCode);

// Holds keys down in this thread's keyboard state while it lives. For posted
// keys it must outlive the step that posts them.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// Presses and releases the left button over a point of a window's client area.
void PostClick(HWND window, int x = 2, int y = 2);
