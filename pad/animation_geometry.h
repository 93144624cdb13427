#pragma once
// The figures of the drag animation, in screen pixels. Each figure is placed
// relative to the frame position (X, Y): the pad's top-left corner, or where a
// moved pad would land. W is the pad's outer width (34 for the 32 x 32 client
// area inside its one-pixel border at 96 DPI). The figures are designed at
// 96 DPI; dpi is the resolution of the pad's monitor, by which every other
// designed distance is scaled.

#include <array>
#include <cstdint>
#include <vector>

#include "base/dpi_scale.h"
#include "base/plane.h"
#include "pad/pad_units.h"

// The pad drawn as an octagon: its corners are cut e pixels from each side,
// e = floor((1 - tan(pi/8)) * (W / 2)), and f = W - e - 1 is the far cut.
struct OctagonCuts {
    std::int32_t width = 0;
    std::int32_t e = 0;
    std::int32_t f = 0;
};
OctagonCuts OctagonOf(std::int32_t padWidth);

// The move frame as one PolyPolyline: eight two-point rays from the octagon
// corners outwards along the sector borders, then the pad's closed outline
// (five points).
struct MoveFrameFigure {
    static constexpr std::size_t kLineCount = 9;
    std::array<Point, 8 * 2 + 5> points;
    std::array<std::uint32_t, kLineCount> counts;
};
MoveFrameFigure MoveFrame(Point framePos, std::int32_t padWidth, std::int32_t dpi = kDesignDpi);

// The filled sector of direction 1..8 (4 corners for straight directions, 6 for
// diagonals); empty for 0 and anything out of range.
std::vector<Point> SectorPolygon(Point framePos, std::int32_t padWidth, std::int32_t direction,
                                 std::int32_t dpi = kDesignDpi);

// Where the caption image of size (cx, cy) goes for a pad at padTwips: below
// the pad and centred on it when there is room all round, else beside or
// above it, whichever way the screen leaves room.
Point CaptionPosition(Point padTwips, std::int32_t cx, std::int32_t cy, const ScreenMetrics& screen,
                      std::int32_t dpi = kDesignDpi);

// The height of the caption's type in pixels at dpi.
std::int32_t CaptionTypeHeight(std::int32_t dpi);
