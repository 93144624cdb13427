#pragma once
// What the pad's pointer and keys are doing: moving the pad, a gesture that
// launches a drag command, a press cancelled by a second button, the command
// menu, and the key-list tip's rest delay. The pad hands its input here.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "base/plane.h"

class cMain;

// What the pad's pointer input is doing (PadInput::Mode).
inline constexpr std::int32_t kModeIdle = 0;
inline constexpr std::int32_t kModeMoving = 1;
inline constexpr std::int32_t kModeGesture = 2;
// A second button was pressed during a move or gesture; waits until every
// button is up.
inline constexpr std::int32_t kModeCancelled = 3;

// With the "ActiveStyle" option on, a gesture or move is drawn on the display.
bool DragAnimationOn();

class PadInput {
public:
    explicit PadInput(cMain& pad);

    std::int32_t Mode() const { return mode_; }
    // True while the command menu is open.
    bool MenuOpen() const { return menuOpen_; }
    // Milliseconds since the system started; replaceable so that the tip's
    // rest delay can be driven without waiting.
    void SetClock(std::function<std::uint32_t()> clock) { clock_ = std::move(clock); }

    void MouseDown(int button, float x, float y);
    void MouseMove(int button, float x, float y);
    // Whichever button is released ends a move or gesture.
    void MouseUp(float x, float y);
    void KeyDown(int keyCode);
    void KeyUp(int keyCode, int shift);
    // Shows the key-list tip once the pointer has rested on the active pad
    // for more than a second, and hides it when the pointer moves or leaves.
    void TipTimer();
    void OpenCommandMenu();

private:
    void HideTipUntilRest();

    cMain& pad_;
    std::int32_t mode_ = kModeIdle;
    // Taken at a press of the move button: the pointer in client pixels, or
    // with the drag animation the offset from it to the pad's corner.
    Point grabOffset_;
    bool menuOpen_ = false;
    // The tip's rest: when it last started, and where the pointer was then
    // (screen pixels).
    std::uint32_t tipTick_ = 0;
    POINT lastPointer_{};
    std::function<std::uint32_t()> clock_;
};
