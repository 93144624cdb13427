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

MoveFrameFigure MoveFrame(Point framePos, std::int32_t padWidth, std::int32_t dpi)
{
    const auto [w, e, f] = OctagonOf(padWidth);
    // The far ends of the rays are fixed offsets, far enough to leave any
    // screen; the display context clips them.
    const auto far = [dpi](std::int32_t designed) { return ScaledToDpi(designed, dpi); };
    const Point offsets[] = {
        {e, -1}, {far(-735), far(-1485)},
        {-1, e}, {far(-1985), far(-985)},
        {-1, f}, {far(-1985), far(1016)},
        {e, w}, {far(-735), far(1516)},
        {f, w}, {far(766), far(1516)},
        {w, f}, {far(2016), far(1016)},
        {w, e}, {far(2016), far(-985)},
        {f, -1}, {far(766), far(-1485)},
        {0, 0}, {0, w - 1}, {w - 1, w - 1}, {w - 1, 0}, {0, 0},
    };
    MoveFrameFigure figure;
    for (std::size_t i = 0; i < figure.points.size(); ++i)
        figure.points[i] = {framePos.x + offsets[i].x, framePos.y + offsets[i].y};
    figure.counts = {2, 2, 2, 2, 2, 2, 2, 2, 5};
    return figure;
}

std::vector<Point> SectorPolygon(Point framePos, std::int32_t padWidth, std::int32_t direction,
                                 std::int32_t dpi)
{
    const auto [w, e, f] = OctagonOf(padWidth);
    // The far corners, as far from the pad's left or top edge (a, b) as from
    // its right or bottom edge (w - 1 + a, w - 1 + b).
    const std::int32_t a = ScaledToDpi(735, dpi);
    const std::int32_t b = ScaledToDpi(1485, dpi);
    const std::int32_t c = ScaledToDpi(1985, dpi);
    const std::int32_t d = ScaledToDpi(985, dpi);
    const std::int32_t r = w - 1;
    std::vector<Point> offsets;
    switch (direction) {
    case 1:
        offsets = {{-a, -b}, {e, -1}, {f, -1}, {r + a, -b}};
        break;
    case 2:
        offsets = {{r + a, -b}, {f, -1}, {w - 1, -1}, {w - 1, e}, {r + c, -d}, {r + c, -b}};
        break;
    case 3:
        offsets = {{r + c, -d}, {w - 1, e}, {w - 1, f}, {r + c, r + d}};
        break;
    case 4:
        offsets = {{r + c, r + d}, {w - 1, f}, {w - 1, w - 1}, {f, w - 1}, {r + a, r + b},
                   {r + c, r + b}};
        break;
    case 5:
        offsets = {{r + a, r + b}, {f, w - 1}, {e, w - 1}, {-a, r + b}};
        break;
    case 6:
        offsets = {{-a, r + b}, {e, w - 1}, {-1, w - 1}, {-1, f}, {-c, r + d}, {-c, r + b}};
        break;
    case 7:
        offsets = {{-c, r + d}, {-1, f}, {-1, e}, {-c, -d}};
        break;
    case 8:
        offsets = {{-c, -d}, {-1, e}, {-1, -1}, {e, -1}, {-a, -b}, {-c, -b}};
        break;
    default:
        break;
    }
    for (Point& p : offsets)
        p = {framePos.x + p.x, framePos.y + p.y};
    return offsets;
}

Point CaptionPosition(Point padTwips, std::int32_t cx, std::int32_t cy, const ScreenMetrics& screen,
                      std::int32_t dpi)
{
    const std::int64_t tppX = screen.twipsPerPixelX;
    const std::int64_t tppY = screen.twipsPerPixelY;
    const std::int32_t x = PixelsOf(padTwips.x, screen.twipsPerPixelX);
    const std::int32_t y = PixelsOf(padTwips.y, screen.twipsPerPixelY);
    const std::int32_t near = ScaledToDpi(64, dpi);
    const std::int32_t far = ScaledToDpi(96, dpi);
    const std::int32_t gap = ScaledToDpi(16, dpi);
    const std::int32_t beyond = ScaledToDpi(48, dpi);
    // Room is judged in twips, against the pad's exact position.
    const std::int64_t left = screen.leftTwips;
    const std::int64_t top = screen.topTwips;
    const bool roomBelow = padTwips.y <= top + screen.heightTwips - far * tppY;
    const bool roomAbove = padTwips.y >= top + near * tppY;
    const bool roomLeft = padTwips.x >= left + near * tppX;
    const bool roomRight = padTwips.x <= left + screen.widthTwips - far * tppX;

    const std::int32_t centred = x + gap - cx / 2;
    const std::int32_t leftOfPad = x - cx - gap;
    const std::int32_t rightOfPad = x + beyond;
    const std::int32_t h = roomLeft ? (roomRight ? centred : leftOfPad) : rightOfPad;

    if (roomBelow && roomAbove) {
        if (roomLeft && roomRight)
            return {centred, y + beyond};
        return {h, y + gap - cy / 2};
    }
    if (roomBelow)
        return {h, y + beyond};
    return {h, y - cy - gap};
}

std::int32_t CaptionTypeHeight(std::int32_t dpi) { return ScaledToDpi(36, dpi); }
