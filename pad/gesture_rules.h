#pragma once
// What the pad's pointer and key input means, before any window is touched.

#include <cstdint>

#include "base/plane.h"

// Mouse button bits of the pad's pointer events.
inline constexpr std::int32_t kMoveButton = 1;     // left, unless swapped
inline constexpr std::int32_t kGestureButton = 2;  // right, unless swapped

// The button code after the "SwapButtons" setting: bits 0 and 1 exchanged,
// every other bit kept.
std::int32_t MapButton(std::int32_t button, bool swapButtons);

// Direction 0..8 of the pointer offset (dx, dy) from the centre of the pad's
// square client area of clientSize pixels (point (16, 16) of 32 x 32): 0 over
// the client area, else the sector of base/direction_sectors.h.
std::int32_t GetDirection(std::int32_t dx, std::int32_t dy, std::int32_t clientSize = 32);

// Keys slot 0..35 launched by a virtual-key code: letters A..Z, the digit row
// and the numeric pad digits; -1 for any other key.
std::int32_t KeyCommandSlot(std::int32_t keyCode);

// Moving the pad. (x, y) is the pointer in the pad's client pixels.
// At the press: with the drag animation the offset from the pointer to the
// pad's top-left corner (screen pixels), without it the pointer itself.
Point GrabOffsetAtPress(bool activeStyle, Point padCorner, float x, float y);
// With the drag animation: where the move frame goes (screen pixels).
Point MoveFramePosition(float x, float y, Point grabOffset);
// With the drag animation, on release: the pad's new top-left corner in twips.
Point DropPositionTwips(float x, float y, Point grabOffset, std::int32_t twipsPerPixelX,
                        std::int32_t twipsPerPixelY);
// Without it, on every move: the pad's new top-left corner in twips.
Point LiveMovePositionTwips(float x, float y, Point grabOffset, Point padTwips,
                            std::int32_t twipsPerPixelX, std::int32_t twipsPerPixelY);
