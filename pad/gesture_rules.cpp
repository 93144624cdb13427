#include "pad/gesture_rules.h"

#include "base/direction_sectors.h"
#include "pad/pad_units.h"

std::int32_t MapButton(std::int32_t button, bool swapButtons)
{
    if (!swapButtons)
        return button;
    return ((button << 1) & 3) | ((button >> 1) & 1) | (button & ~3);
}

std::int32_t GetDirection(std::int32_t dx, std::int32_t dy, std::int32_t clientSize)
{
    const std::int32_t half = clientSize / 2;
    if (-half <= dx && dx < clientSize - half && -half <= dy && dy < clientSize - half)
        return 0;
    return SectorDirection(dx, dy);
}

std::int32_t KeyCommandSlot(std::int32_t keyCode)
{
    if (keyCode >= 48 && keyCode <= 57)  // digit row 0..9
        return keyCode - 22;
    if (keyCode >= 65 && keyCode <= 90)  // A..Z
        return keyCode - 65;
    if (keyCode >= 96 && keyCode <= 105)  // numeric pad 0..9
        return keyCode - 70;
    return -1;
}

Point GrabOffsetAtPress(bool activeStyle, Point padCorner, float x, float y)
{
    if (activeStyle)
        return {NearestInt(double(padCorner.x) - x), NearestInt(double(padCorner.y) - y)};
    return {NearestInt(x), NearestInt(y)};
}

Point MoveFramePosition(float x, float y, Point grabOffset)
{
    return {NearestInt(double(x) + grabOffset.x), NearestInt(double(y) + grabOffset.y)};
}

Point DropPositionTwips(float x, float y, Point grabOffset, std::int32_t twipsPerPixelX,
                        std::int32_t twipsPerPixelY)
{
    return {NearestInt((double(x) + grabOffset.x) * twipsPerPixelX),
            NearestInt((double(y) + grabOffset.y) * twipsPerPixelY)};
}

Point LiveMovePositionTwips(float x, float y, Point grabOffset, Point padTwips,
                            std::int32_t twipsPerPixelX, std::int32_t twipsPerPixelY)
{
    return {NearestInt((double(x) - grabOffset.x) * twipsPerPixelX + padTwips.x),
            NearestInt((double(y) - grabOffset.y) * twipsPerPixelY + padTwips.y)};
}
