#include "pad/pad_input.h"

#include "pad/gesture_rules.h"

namespace {

constexpr int kApplicationsKey = 93;  // VK_APPS
constexpr int kF10 = 121;             // VK_F10
constexpr int kShiftBit = 1;          // the Shift key in a key event's shift bits
constexpr std::uint32_t kRestMs = 1000;

// The pointer over the pad's client area, as whole pixels from its centre.
std::int32_t DirectionAt(const PadActions& pad, float x, float y)
{
    const std::int32_t client = pad.ClientSize();
    return GetDirection(NearestInt(x) - client / 2, NearestInt(y) - client / 2, client);
}

}  // namespace

PadInput::PadInput(PadActions& pad, std::function<std::uint32_t()> clock)
    : pad_(pad), clock_(std::move(clock))
{
}

// A press or key counts as the end of a rest: the tip stays away until the
// pointer has rested for the full delay again, however long it lay still before.
void PadInput::HideTipUntilRest()
{
    if (pad_.TipVisible())
        pad_.HideTip();
    tipTick_ = clock_();
}

void PadInput::MouseDown(int button, float x, float y)
{
    HideTipUntilRest();
    button = MapButton(button, pad_.SwapButtons());
    if (mode_ == PadMode::Idle) {
        if (button == kGestureButton) {
            // The shell loads while the user drags, not when the release launches.
            pad_.PrepareLaunch();
            // Begun while still idle: the animation shows the menu slot first.
            pad_.BeginAnimation(pad_.Corner());
            mode_ = PadMode::Gesture;
        } else if (button == kMoveButton) {
            grabOffset_ = GrabOffsetAtPress(pad_.ActiveStyle(), pad_.Corner(), x, y);
            mode_ = PadMode::Moving;
        }
    } else if (mode_ == PadMode::Moving || mode_ == PadMode::Gesture) {
        // A second button cancels; the release of either launches nothing.
        pad_.UnloadStatus();
        pad_.EndAnimation();
        mode_ = PadMode::Cancelled;
    }
}

void PadInput::MouseMove(int button, float x, float y)
{
    button = MapButton(button, pad_.SwapButtons());
    switch (mode_) {
    case PadMode::Idle: {
        const std::int32_t client = pad_.ClientSize();
        if (x >= 0 && y >= 0 && x < client && y < client && pad_.PadActive())
            pad_.StartTipTimer();
        break;
    }
    case PadMode::Moving:
        if (pad_.ActiveStyle()) {
            // The frame follows the pointer; the pad itself waits for the release.
            if (!pad_.AnimationActive())
                pad_.BeginAnimation(pad_.Corner());
            pad_.ShiftMoveFrame(MoveFramePosition(x, y, grabOffset_));
        } else {
            const ScreenMetrics screen = pad_.Screen();
            const Point corner = pad_.Corner();
            const Point cornerTwips{corner.x * screen.twipsPerPixelX,
                                    corner.y * screen.twipsPerPixelY};
            pad_.MoveCornerTo(LiveMovePositionTwips(x, y, grabOffset_, cornerTwips,
                                                    screen.twipsPerPixelX, screen.twipsPerPixelY),
                              screen);
        }
        break;
    case PadMode::Gesture: {
        const std::int32_t d = DirectionAt(pad_, x, y);
        if (pad_.ActiveStyle())
            pad_.SetAnimationDirection(d);
        else
            pad_.ShowStatus(d);
        break;
    }
    case PadMode::Cancelled:
        // Ending the animation at the cancel already put its direction back to 0.
        if (button == 0)
            mode_ = PadMode::Idle;
        break;
    }
}

void PadInput::MouseUp(float x, float y)
{
    HideTipUntilRest();
    if (mode_ == PadMode::Moving) {
        if (pad_.ActiveStyle()) {
            pad_.EndAnimation();
            const ScreenMetrics screen = pad_.Screen();
            pad_.MoveCornerTo(
                DropPositionTwips(x, y, grabOffset_, screen.twipsPerPixelX, screen.twipsPerPixelY),
                screen);
        }
        mode_ = PadMode::Idle;
    } else if (mode_ == PadMode::Gesture) {
        // The caption goes before anything starts; destroying its window
        // costs more than hiding it, and waits until the command has started.
        pad_.HideStatusWindow();
        pad_.EndAnimation();
        const std::int32_t d = DirectionAt(pad_, x, y);
        mode_ = PadMode::Idle;
        if (d != 0)
            pad_.LaunchDrag(d);
        else
            // Released over the pad: the menu, never the menu slot's command.
            OpenCommandMenu();
        pad_.UnloadStatus();
    }
}

void PadInput::KeyDown(int keyCode)
{
    HideTipUntilRest();
    if (mode_ != PadMode::Idle) {
        pad_.Beep();
        return;
    }
    const std::int32_t slot = KeyCommandSlot(keyCode);
    if (slot >= 0)
        pad_.LaunchKey(slot);
}

void PadInput::KeyUp(int keyCode, int shift)
{
    if (mode_ != PadMode::Idle)
        return;
    if (keyCode == kApplicationsKey || (keyCode == kF10 && (shift & kShiftBit)))
        OpenCommandMenu();
}

void PadInput::OpenCommandMenu() { pad_.ShowCommandMenu(menuOpen_); }

void PadInput::ActivateChanged(bool active)
{
    if (active)
        pad_.StartTipTimer();
    else
        pad_.StopTipTimer(true);
}

void PadInput::PointerLeft()
{
    if (pad_.TipVisible())
        pad_.HideTip();
    tipTick_ = clock_();
    pad_.StopTipTimer(false);
}

void PadInput::TipTimer()
{
    const std::uint32_t now = clock_();
    // No tip while the pad is busy or a menu is open; the rest starts again
    // afterwards.
    if (mode_ != PadMode::Idle || menuOpen_) {
        tipTick_ = now;
        return;
    }
    if (!pad_.PadActive()) {
        pad_.StopTipTimer(true);
        return;
    }
    const std::optional<Point> pointer = pad_.PointerOnPad();
    if (!pointer) {
        PointerLeft();
        return;
    }
    if (*pointer == lastPointer_) {
        // Elapsed time in unsigned arithmetic, so that the tick count's wrap
        // after 49.7 days neither hides the tip nor overflows.
        if (pad_.TipWanted() && now - tipTick_ > kRestMs && !pad_.TipVisible())
            pad_.ShowTip(*pointer);
    } else {
        lastPointer_ = *pointer;
        if (pad_.TipVisible())
            pad_.HideTip();
        tipTick_ = now;
    }
}
