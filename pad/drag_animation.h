#pragma once
// The drag animation: the pad's feedback drawn straight onto the display with
// exclusive-or, so that drawing a figure a second time takes it away again.
// During a gesture the sector of the chosen direction is inverted and the
// caption of what a release would launch appears in large type beside the
// pad; while the pad is moved, its outline with the eight sector borders
// follows the pointer and the pad stays put until the release.
//
// The pad owns one DragAnimation and calls it from its pointer handlers. With
// the "ActiveStyle" option off every operation does nothing and no device
// context is opened.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/plane.h"
#include "base/win_handles.h"

// What the animation needs to know of the pad; each is asked when needed.
struct DragAnimationSource {
    // The "ActiveStyle" option.
    std::function<bool()> activeStyle;
    // True while the pad is being moved (the move frame), false for a gesture
    // (sector and caption).
    std::function<bool()> moving;
    // The pad's outer width in pixels (34 for its 32 x 32 client area at 96 DPI).
    std::function<std::int32_t()> padWidth;
    // The pad's dots per inch; 96 when left empty.
    std::function<std::int32_t()> dpi;
    // The caption of the drag slot of direction 0..8 (0 is the menu slot).
    std::function<std::wstring(std::int32_t)> caption;
    // Opens a device context of the whole display; CreateDC("DISPLAY") when
    // left empty.
    std::function<HDC()> openDisplay;
};

class DragAnimation {
public:
    explicit DragAnimation(DragAnimationSource source);
    // A figure still on the screen is erased.
    ~DragAnimation();
    DragAnimation(const DragAnimation&) = delete;
    DragAnimation& operator=(const DragAnimation&) = delete;

    // Opens the display and draws the first figure at frame position (x, y),
    // the pad's top-left corner in screen pixels: the move frame while the
    // pad is moving, otherwise the caption of the current direction.
    void BeginAnimation(std::int32_t x, std::int32_t y);
    // Erases what is drawn, releases the display and has every window repaint.
    void EndAnimation();
    // Moves the move frame to (x, y).
    void ShiftMoveFrame(std::int32_t x, std::int32_t y);
    // Highlights the sector and shows the caption of direction d (0..8);
    // nothing when d is already shown.
    void SetAnimationDirection(std::int32_t d);

    bool AnimationActive() const { return static_cast<bool>(screen_); }
    // The direction drawn now; 0 when none.
    std::int32_t CurrentDirection() const { return direction_; }
    Point FramePos() const { return framePos_; }

private:
    // Each call toggles its figure on the display.
    void DrawMoveFrame();
    void DrawSectorHighlight();
    void DrawCaptionImage();

    bool ActiveStyle() const;

    DragAnimationSource source_;
    UniqueDc screen_;
    Point framePos_;
    std::int32_t direction_ = 0;
    // Fixed when the animation begins, so that erasing meets the drawing.
    std::int32_t padWidth_ = 0;
    std::int32_t dpi_ = 96;
    bool moveFrame_ = false;
    // The caption on the screen now, kept so that it is erased exactly as
    // drawn even if the slot's caption changes meanwhile.
    std::wstring caption_;
};
