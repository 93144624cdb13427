#pragma once
// What the pad's input may ask of the pad: its options, its place, the drag
// animation, the status window, the key-list tip and its timer, launching and
// the command menu. The pad window implements it; the input's rules
// (pad/pad_input.h) know the pad only through it.

#include <cstdint>
#include <optional>

#include "base/plane.h"
#include "pad/pad_units.h"

// The pad's built-in actions, by the numbers the double-click setting and the
// command menu have always used; any other number does nothing.
enum class PadAction : std::int32_t { None = 0, DesktopToggle = 1, Settings = 2, Exit = 3 };

// What the pad's pointer input is doing. A cancelled move or gesture (a
// second button was pressed) waits until every button is up.
enum class PadMode : std::int32_t { Idle = 0, Moving = 1, Gesture = 2, Cancelled = 3 };

class PadActions {
public:
    // The options, as they are now.
    virtual bool SwapButtons() const = 0;
    // The drag animation ("ActiveStyle"); without it the status window shows
    // a gesture and the pad follows a move live.
    virtual bool ActiveStyle() const = 0;
    // The key-list tip is wanted at all ("PopupStatus").
    virtual bool TipWanted() const = 0;

    // The side of the pad's square client area in pixels at its resolution.
    virtual std::int32_t ClientSize() const = 0;
    // The pad's top-left corner in screen pixels.
    virtual Point Corner() = 0;
    // The monitor the pad is on.
    virtual ScreenMetrics Screen() const = 0;
    // Moves the pad's top-left corner to a place in the screen's twips.
    virtual void MoveCornerTo(Point twips, const ScreenMetrics& screen) = 0;

    // The drag animation, drawn from the pad's corner in screen pixels.
    virtual void BeginAnimation(Point corner) = 0;
    virtual void EndAnimation() = 0;
    virtual bool AnimationActive() const = 0;
    virtual void ShiftMoveFrame(Point to) = 0;
    virtual void SetAnimationDirection(std::int32_t direction) = 0;

    // The status window with the caption of the drag slot of the direction.
    virtual void ShowStatus(std::int32_t direction) = 0;
    // Out of sight at once, its window kept for the moment.
    virtual void HideStatusWindow() = 0;
    virtual void UnloadStatus() = 0;

    // Loads the shell ahead of a launch.
    virtual void PrepareLaunch() = 0;
    virtual void LaunchDrag(std::int32_t direction) = 0;
    virtual void LaunchKey(std::int32_t slot) = 0;
    // The warning sound of a key the pad cannot take now.
    virtual void Beep() = 0;
    // The command menu at the pointer; menuOpen is true while it is open.
    virtual void ShowCommandMenu(bool& menuOpen) = 0;

    virtual bool PadActive() const = 0;
    // The pointer in screen pixels while it is over the pad.
    virtual std::optional<Point> PointerOnPad() const = 0;
    virtual bool TipVisible() const = 0;
    // The key-list tip beside the pointer at a screen pixel.
    virtual void ShowTip(Point pointer) = 0;
    virtual void HideTip() = 0;
    // Starts the tip's timer, which calls PadInput::TipTimer, with a watch
    // for the pointer leaving the pad, which calls PadInput::PointerLeft.
    virtual void StartTipTimer() = 0;
    // Stops it; endWatch ends the watch too, which a leave has ended already.
    virtual void StopTipTimer(bool endWatch) = 0;

protected:
    ~PadActions() = default;
};
