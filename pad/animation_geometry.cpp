#include "pad/animation_geometry.h"

#include <cmath>
#include <numbers>

OctagonCuts OctagonOf(std::int32_t padWidth)
{
    const std::int32_t c = padWidth / 2;
    const double cut = (1.0 - std::tan(std::numbers::pi / 8.0)) * c;
    OctagonCuts cuts;
    cuts.width = padWidth;
    cuts.e = static_cast<std::int32_t>(std::floor(cut));
    cuts.f = padWidth - cuts.e - 1;
    return cuts;
}

MoveFrameFigure MoveFrame(Point framePos, std::int32_t padWidth)
{
    const auto [w, e, f] = OctagonOf(padWidth);
    // The far ends of the rays are fixed offsets, far enough to leave any
    // screen; the display context clips them.
    const Point offsets[] = {
        {e, -1}, {-735, -1485},
        {-1, e}, {-1985, -985},
        {-1, f}, {-1985, 1016},
        {e, w}, {-735, 1516},
        {f, w}, {766, 1516},
        {w, f}, {2016, 1016},
        {w, e}, {2016, -985},
        {f, -1}, {766, -1485},
        {0, 0}, {0, w - 1}, {w - 1, w - 1}, {w - 1, 0}, {0, 0},
    };
    MoveFrameFigure figure;
    for (std::size_t i = 0; i < figure.points.size(); ++i)
        figure.points[i] = {framePos.x + offsets[i].x, framePos.y + offsets[i].y};
    figure.counts = {2, 2, 2, 2, 2, 2, 2, 2, 5};
    return figure;
}

std::vector<Point> SectorPolygon(Point framePos, std::int32_t padWidth, std::int32_t direction)
{
    const auto [w, e, f] = OctagonOf(padWidth);
    std::vector<Point> offsets;
    switch (direction) {
    case 1:
        offsets = {{-735, -1485}, {e, -1}, {f, -1}, {w + 734, -1485}};
        break;
    case 2:
        offsets = {{w + 734, -1485}, {f, -1}, {w - 1, -1}, {w - 1, e}, {w + 1984, -985},
                   {w + 1984, -1485}};
        break;
    case 3:
        offsets = {{w + 1984, -985}, {w - 1, e}, {w - 1, f}, {w + 1984, w + 984}};
        break;
    case 4:
        offsets = {{w + 1984, w + 984}, {w - 1, f}, {w - 1, w - 1}, {f, w - 1}, {w + 734, w + 1484},
                   {w + 1984, w + 1484}};
        break;
    case 5:
        offsets = {{w + 734, w + 1484}, {f, w - 1}, {e, w - 1}, {-735, w + 1484}};
        break;
    case 6:
        offsets = {{-735, w + 1484}, {e, w - 1}, {-1, w - 1}, {-1, f}, {-1985, w + 984},
                   {-1985, w + 1484}};
        break;
    case 7:
        offsets = {{-1985, w + 984}, {-1, f}, {-1, e}, {-1985, -985}};
        break;
    case 8:
        offsets = {{-1985, -985}, {-1, e}, {-1, -1}, {e, -1}, {-735, -1485}, {-1985, -1485}};
        break;
    default:
        break;
    }
    for (Point& p : offsets)
        p = {framePos.x + p.x, framePos.y + p.y};
    return offsets;
}

Point CaptionPosition(Point padTwips, std::int32_t cx, std::int32_t cy, const ScreenMetrics& screen)
{
    const std::int64_t tppX = screen.twipsPerPixelX;
    const std::int64_t tppY = screen.twipsPerPixelY;
    const std::int32_t x = PixelsOf(padTwips.x, screen.twipsPerPixelX);
    const std::int32_t y = PixelsOf(padTwips.y, screen.twipsPerPixelY);
    // Room is judged in twips, against the pad's exact position.
    const bool roomBelow = padTwips.y <= screen.heightTwips - 96 * tppY;
    const bool roomAbove = padTwips.y >= 64 * tppY;
    const bool roomLeft = padTwips.x >= 64 * tppX;
    const bool roomRight = padTwips.x <= screen.widthTwips - 96 * tppX;

    const std::int32_t centred = x + 16 - cx / 2;
    const std::int32_t leftOfPad = x - cx - 16;
    const std::int32_t rightOfPad = x + 48;
    const std::int32_t h = roomLeft ? (roomRight ? centred : leftOfPad) : rightOfPad;

    if (roomBelow && roomAbove) {
        if (roomLeft && roomRight)
            return {centred, y + 48};
        return {h, y + 16 - cy / 2};
    }
    if (roomBelow)
        return {h, y + 48};
    return {h, y - cy - 16};
}
