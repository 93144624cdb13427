// The pad's pointer and key input: moving the pad, gestures that launch the
// drag commands, key commands, the command menu and the built-in actions.

#include "commands/command_menu.h"
#include "commands/launch.h"
#include "dialogs/settings_dialog.h"
#include "pad/gesture_rules.h"
#include "pad/main_window.h"
#include "pad/pad_metrics.h"
#include "pad/pad_position.h"
#include "settings/settings.h"

namespace {

constexpr int kApplicationsKey = VK_APPS;  // 93
constexpr int kF10 = VK_F10;               // 121

// The pointer over the pad's client area, as whole pixels from its centre.
std::int32_t DirectionAt(float x, float y)
{
    return GetDirection(NearestInt(x) - kPadClientSize / 2, NearestInt(y) - kPadClientSize / 2);
}

}  // namespace

bool cMain::ActiveStyleOn() const { return AppSettings && AppSettings->ActiveStyle; }

bool cMain::SwapButtonsOn() const { return AppSettings && AppSettings->SwapButtons; }

// A press or key counts as the end of a rest: the tip stays away until the
// pointer has rested for the full delay again, however long it lay still before.
void cMain::HideTipUntilRest()
{
    if (TipWindow.Visible())
        TipWindow.HideTip();
    TipTick = TickCount();
}

void cMain::Form_MouseDown(int button, int /*shift*/, float x, float y)
{
    HideTipUntilRest();
    button = MapButton(button, SwapButtonsOn());
    if (Mode == kModeIdle) {
        if (button == kGestureButton) {
            // The shell loads while the user drags, not when the release launches.
            PrepareLaunch();
            // Begun while still idle: the animation shows the menu slot first.
            const Point corner = CornerPixels(*this);
            Animation.BeginAnimation(corner.x, corner.y);
            Mode = kModeGesture;
        } else if (button == kMoveButton) {
            GrabOffset = GrabOffsetAtPress(ActiveStyleOn(), CornerPixels(*this), x, y);
            Mode = kModeMoving;
        }
    } else if (Mode == kModeMoving || Mode == kModeGesture) {
        // A second button cancels; the release of either launches nothing.
        StatusWindow.HideStatus();
        Animation.EndAnimation();
        Mode = kModeCancelled;
    }
}

void cMain::Form_MouseMove(int button, int /*shift*/, float x, float y)
{
    button = MapButton(button, SwapButtonsOn());
    switch (Mode) {
    case kModeMoving:
        if (ActiveStyleOn()) {
            // The frame follows the pointer; the pad itself waits for the release.
            if (!Animation.AnimationActive()) {
                const Point corner = CornerPixels(*this);
                Animation.BeginAnimation(corner.x, corner.y);
            }
            const Point frame = MoveFramePosition(x, y, GrabOffset);
            Animation.ShiftMoveFrame(frame.x, frame.y);
        } else {
            const ScreenMetrics screen = CurrentScreenMetrics();
            const Point to = LiveMovePositionTwips(x, y, GrabOffset, CornerTwips(*this),
                                                   screen.twipsPerPixelX, screen.twipsPerPixelY);
            Move(static_cast<float>(to.x), static_cast<float>(to.y));
        }
        break;
    case kModeGesture: {
        const std::int32_t d = DirectionAt(x, y);
        if (ActiveStyleOn())
            Animation.SetAnimationDirection(d);
        else if (AppSettings)
            StatusWindow.ShowStatus(AppSettings->Drags().Item(d)->DisplayCaption());
        break;
    }
    case kModeCancelled:
        // Ending the animation at the cancel already put its direction back to 0.
        if (button == 0)
            Mode = kModeIdle;
        break;
    default:
        break;
    }
}

// Whichever button is released ends a move or gesture.
void cMain::Form_MouseUp(int /*button*/, int /*shift*/, float x, float y)
{
    HideTipUntilRest();
    if (Mode == kModeMoving) {
        if (ActiveStyleOn()) {
            Animation.EndAnimation();
            const ScreenMetrics screen = CurrentScreenMetrics();
            const Point to =
                DropPositionTwips(x, y, GrabOffset, screen.twipsPerPixelX, screen.twipsPerPixelY);
            Move(static_cast<float>(to.x), static_cast<float>(to.y));
        }
        Mode = kModeIdle;
    } else if (Mode == kModeGesture) {
        // The caption goes before anything starts; destroying its window
        // costs more than hiding it, and waits until the command has started.
        StatusWindow.Hide();
        Animation.EndAnimation();
        const std::int32_t d = DirectionAt(x, y);
        Mode = kModeIdle;
        if (d != 0) {
            if (AppSettings)
                AppSettings->Drags().Item(d)->Execute(Handle(), 0, 0);
        } else {
            // Released over the pad: the menu, never the menu slot's command.
            OpenCommandMenu();
        }
        StatusWindow.HideStatus();
    }
}

void cMain::Form_KeyDown(int keyCode, int /*shift*/)
{
    HideTipUntilRest();
    if (Mode != kModeIdle) {
        MessageBeep(MB_OK);
        return;
    }
    const std::int32_t slot = KeyCommandSlot(keyCode);
    if (slot >= 0 && AppSettings)
        AppSettings->Keys().Item(slot)->Execute(Handle(), 0, 0);
}

void cMain::Form_KeyUp(int keyCode, int shift)
{
    if (Mode != kModeIdle)
        return;
    if (keyCode == kApplicationsKey || (keyCode == kF10 && (shift & kShiftMask)))
        OpenCommandMenu();
}

// The double-click is the left button's whatever the button swap says.
void cMain::Form_DblClick()
{
    if (AppSettings)
        RunPadAction(AppSettings->DblClickCommand);
}

void cMain::OpenCommandMenu()
{
    if (!AppSettings)
        return;
    // Without a compiled table (its step of the load failed) the built-in
    // actions are still there.
    static const CompiledMenu noEntries;
    ShowCommandMenu(Handle(), MenuTable ? *MenuTable : noEntries, AppSettings->DblClickCommand,
                    MenuOpen, [this](std::int32_t action) { RunPadAction(action); });
}

void cMain::RunPadAction(std::int32_t action)
{
    if (!AppSettings)
        return;
    switch (action) {
    case 1:
        AppSettings->Drags().Item(0)->Execute(Handle(), 0, 0);
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        break;
    case 2:
        TipWindow.Unload();
        StatusWindow.Unload();
        cDlgSettings::ShowSettings(*this);
        MenuTable = &AppSettings->Menus().Compile();
        break;
    case 3:
        // Later, not now: the handler that asked (a menu, a double-click)
        // is still running on this window.
        UnloadLater();
        break;
    default:
        break;
    }
}
