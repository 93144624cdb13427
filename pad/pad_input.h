#pragma once
// What the pad's pointer and keys are doing: moving the pad, a gesture that
// launches a drag command, a press cancelled by a second button, the command
// menu, and the key-list tip's rest delay with the timer that measures it.
// The pad hands its input here and is told what to do through PadActions.

#include <cstdint>
#include <functional>

#include "base/plane.h"
#include "pad/pad_actions.h"

class PadInput {
public:
    // clock: milliseconds since the system started (wrapping after 49.7 days).
    PadInput(PadActions& pad, std::function<std::uint32_t()> clock);

    PadMode Mode() const { return mode_; }
    // True while the command menu is open.
    bool MenuOpen() const { return menuOpen_; }
    // Replaces the clock, so that the tip's rest delay can be driven without waiting.
    void SetClock(std::function<std::uint32_t()> clock) { clock_ = std::move(clock); }

    // Buttons and (x, y) as the pad's pointer events give them: button bits
    // 1 left, 2 right, 4 middle; client pixels.
    void MouseDown(int button, float x, float y);
    void MouseMove(int button, float x, float y);
    // Whichever button is released ends a move or gesture.
    void MouseUp(float x, float y);
    void KeyDown(int keyCode);
    // shift: the shift-key bits of the pad's key events (1 Shift).
    void KeyUp(int keyCode, int shift);

    // The tip's timer runs only while the pad is active and the pointer is
    // on it: from an activation or a move over the pad until a deactivation,
    // the pointer's leaving or a tick that finds either.
    void ActivateChanged(bool active);
    void PointerLeft();
    // Shows the key-list tip once the pointer has rested on the active pad
    // for more than a second, and hides it when the pointer moves or leaves.
    void TipTimer();

private:
    void HideTipUntilRest();
    void OpenCommandMenu();

    PadActions& pad_;
    PadMode mode_ = PadMode::Idle;
    // Taken at a press of the move button: the pointer in client pixels, or
    // with the drag animation the offset from it to the pad's corner.
    Point grabOffset_;
    bool menuOpen_ = false;
    // The tip's rest: when it last started, and where the pointer was then
    // (screen pixels).
    std::uint32_t tipTick_ = 0;
    Point lastPointer_;
    std::function<std::uint32_t()> clock_;
};
