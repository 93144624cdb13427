#include "tests/support/modal_script.h"

#include <map>
#include <utility>

namespace {

constexpr UINT kTickMs = 10;
// About three seconds of ticks after the last step.
constexpr int kRescueTicks = 300;

std::map<UINT_PTR, ModalScript*>& Scripts()
{
    static std::map<UINT_PTR, ModalScript*> scripts;
    return scripts;
}

// The script whose step is running now.
ModalScript* running = nullptr;

}  // namespace

ModalScript::ModalScript(std::vector<std::function<void()>> steps, std::function<void()> rescue)
    : steps_(std::move(steps)), rescue_(std::move(rescue)),
      timer_(SetTimer(nullptr, 0, kTickMs, Tick))
{
    Scripts()[timer_] = this;
}

ModalScript::~ModalScript()
{
    KillTimer(nullptr, timer_);
    Scripts().erase(timer_);
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto it = Scripts().find(id);
    if (it != Scripts().end())
        it->second->Run();
}

void ModalScript::Run()
{
    // A step may open a modal loop of its own (a message box); the ticks
    // inside it wait for the step to end.
    if (running_)
        return;
    running_ = true;
    if (next_ < steps_.size()) {
        const size_t step = next_++;
        ModalScript* outer = std::exchange(running, this);
        steps_[step]();
        running = outer;
        if (std::exchange(repeat_, false) && ++repeats_ < kRescueTicks)
            next_ = step;
    } else if (++idleTicks_ == kRescueTicks && rescue_) {
        rescue_();
    }
    running_ = false;
}

void ModalScript::RepeatStep()
{
    if (running)
        running->repeat_ = true;
}

void PostKey(HWND window, int keyCode)
{
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(keyCode), 0);
    PostMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(keyCode), 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, static_cast<WPARAM>(keyCode), 1 | (scan << 16) | 0xC0000000);
}

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

void PostClick(HWND window, int x, int y)
{
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}
