#include "pad/pad_input.h"

#include "commands/command_menu.h"
#include "commands/launch.h"
#include "pad/gesture_rules.h"
#include "pad/main_window.h"
#include "pad/pad_metrics.h"
#include "pad/pad_position.h"
#include "settings/settings.h"

namespace {

constexpr int kApplicationsKey = VK_APPS;  // 93
constexpr int kF10 = VK_F10;               // 121

// The pointer over the pad's client area, as whole pixels from its centre;
// the client area is the pad's size at its resolution.
std::int32_t DirectionAt(const Form& pad, float x, float y)
{
    const std::int32_t client = PadClientSize(pad.Dpi());
    return GetDirection(NearestInt(x) - client / 2, NearestInt(y) - client / 2, client);
}

bool SwapButtonsOn() { return AppSettings && AppSettings->SwapButtons; }

}  // namespace

bool DragAnimationOn() { return AppSettings && AppSettings->ActiveStyle; }

PadInput::PadInput(cMain& pad)
    : pad_(pad), clock_([] { return static_cast<std::uint32_t>(GetTickCount()); })
{
}

// A press or key counts as the end of a rest: the tip stays away until the
// pointer has rested for the full delay again, however long it lay still before.
void PadInput::HideTipUntilRest()
{
    if (pad_.TipWindow.Visible())
        pad_.TipWindow.HideTip();
    tipTick_ = clock_();
}

void PadInput::MouseDown(int button, float x, float y)
{
    HideTipUntilRest();
    button = MapButton(button, SwapButtonsOn());
    if (mode_ == kModeIdle) {
        if (button == kGestureButton) {
            // The shell loads while the user drags, not when the release launches.
            PrepareLaunch();
            // Begun while still idle: the animation shows the menu slot first.
            const Point corner = CornerPixels(pad_);
            pad_.Animation.BeginAnimation(corner.x, corner.y);
            mode_ = kModeGesture;
        } else if (button == kMoveButton) {
            grabOffset_ = GrabOffsetAtPress(DragAnimationOn(), CornerPixels(pad_), x, y);
            mode_ = kModeMoving;
        }
    } else if (mode_ == kModeMoving || mode_ == kModeGesture) {
        // A second button cancels; the release of either launches nothing.
        pad_.StatusWindow.HideStatus();
        pad_.Animation.EndAnimation();
        mode_ = kModeCancelled;
    }
}

void PadInput::MouseMove(int button, float x, float y)
{
    button = MapButton(button, SwapButtonsOn());
    switch (mode_) {
    case kModeMoving:
        if (DragAnimationOn()) {
            // The frame follows the pointer; the pad itself waits for the release.
            if (!pad_.Animation.AnimationActive()) {
                const Point corner = CornerPixels(pad_);
                pad_.Animation.BeginAnimation(corner.x, corner.y);
            }
            const Point frame = MoveFramePosition(x, y, grabOffset_);
            pad_.Animation.ShiftMoveFrame(frame.x, frame.y);
        } else {
            const ScreenMetrics screen = CurrentScreenMetrics(pad_.Handle());
            const Point to = LiveMovePositionTwips(x, y, grabOffset_, CornerTwips(pad_, screen),
                                                   screen.twipsPerPixelX, screen.twipsPerPixelY);
            MoveCornerTo(pad_, to, screen);
        }
        break;
    case kModeGesture: {
        const std::int32_t d = DirectionAt(pad_, x, y);
        if (DragAnimationOn())
            pad_.Animation.SetAnimationDirection(d);
        else if (AppSettings)
            pad_.StatusWindow.ShowStatus(AppSettings->Drags().Item(d)->DisplayCaption());
        break;
    }
    case kModeCancelled:
        // Ending the animation at the cancel already put its direction back to 0.
        if (button == 0)
            mode_ = kModeIdle;
        break;
    default:
        break;
    }
}

void PadInput::MouseUp(float x, float y)
{
    HideTipUntilRest();
    if (mode_ == kModeMoving) {
        if (DragAnimationOn()) {
            pad_.Animation.EndAnimation();
            const ScreenMetrics screen = CurrentScreenMetrics(pad_.Handle());
            const Point to =
                DropPositionTwips(x, y, grabOffset_, screen.twipsPerPixelX, screen.twipsPerPixelY);
            MoveCornerTo(pad_, to, screen);
        }
        mode_ = kModeIdle;
    } else if (mode_ == kModeGesture) {
        // The caption goes before anything starts; destroying its window
        // costs more than hiding it, and waits until the command has started.
        pad_.StatusWindow.Hide();
        pad_.Animation.EndAnimation();
        const std::int32_t d = DirectionAt(pad_, x, y);
        mode_ = kModeIdle;
        if (d != 0) {
            if (AppSettings)
                AppSettings->Drags().Item(d)->Execute(pad_.Handle(), 0, 0);
        } else {
            // Released over the pad: the menu, never the menu slot's command.
            OpenCommandMenu();
        }
        pad_.StatusWindow.HideStatus();
    }
}

void PadInput::KeyDown(int keyCode)
{
    HideTipUntilRest();
    if (mode_ != kModeIdle) {
        MessageBeep(MB_OK);
        return;
    }
    const std::int32_t slot = KeyCommandSlot(keyCode);
    if (slot >= 0 && AppSettings)
        AppSettings->Keys().Item(slot)->Execute(pad_.Handle(), 0, 0);
}

void PadInput::KeyUp(int keyCode, int shift)
{
    if (mode_ != kModeIdle)
        return;
    if (keyCode == kApplicationsKey || (keyCode == kF10 && (shift & kShiftMask)))
        OpenCommandMenu();
}

void PadInput::OpenCommandMenu()
{
    if (!AppSettings)
        return;
    // Without a compiled table (its step of the load failed) the built-in
    // actions are still there.
    static const CompiledMenu noEntries;
    ShowCommandMenu(pad_.Handle(), pad_.MenuTable ? *pad_.MenuTable : noEntries,
                    AppSettings->DblClickCommand, menuOpen_,
                    [this](std::int32_t action) { pad_.RunPadAction(action); });
}

