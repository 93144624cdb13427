#include "dialogs/drag_figure.h"

#include <algorithm>

#include "base/direction_sectors.h"
#include "base/numbered_error.h"

namespace {

constexpr std::int32_t kFar = kFigureSize - 1;

// The two arrows drawn by hand; the other six are their reflections.
constexpr ArrowOutline kUp = {{{46, 0}, {38, 24}, {38, 26}, {44, 26}, {44, 40}, {45, 41},
                               {47, 41}, {48, 40}, {48, 26}, {54, 26}, {54, 24}}};
constexpr ArrowOutline kUpperRight = {{{78, 14}, {66, 37}, {65, 38}, {61, 34}, {52, 43}, {51, 43},
                                       {49, 41}, {49, 40}, {58, 31}, {54, 27}, {55, 26}}};

template <typename Map>
ArrowOutline Reflected(const ArrowOutline& outline, Map map)
{
    ArrowOutline out;
    for (std::size_t i = 0; i < outline.size(); ++i)
        out[i] = map(outline[i]);
    return out;
}

Point Transpose(Point p) { return {p.y, p.x}; }
Point MirrorX(Point p) { return {kFar - p.x, p.y}; }
Point MirrorY(Point p) { return {p.x, kFar - p.y}; }

// True when p lies inside the outline or on one of its edges.
bool OutlineCovers(const ArrowOutline& outline, Point p)
{
    bool inside = false;
    Point a = outline.back();
    for (const Point& b : outline) {
        const std::int32_t cross = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
        if (cross == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
            std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y))
            return true;
        // Even-odd rule: count the edges that a ray to the right of p crosses.
        if ((a.y > p.y) != (b.y > p.y)) {
            const bool rightOfP = (b.y > a.y) ? cross > 0 : cross < 0;
            if (rightOfP)
                inside = !inside;
        }
        a = b;
    }
    return inside;
}

void CheckDirection(std::int32_t direction)
{
    if (direction < 1 || direction > kArrowCount)
        throw NumberedError(kErrInvalidArgument, L"direction");
}

// Heads and shafts, indexed by direction - 1.
constexpr ArrowParts kParts[kArrowCount] = {
    {{38, 0, 17, 27}, {44, 27, 5, 15}},
    {{55, 14, 24, 24}, {49, 27, 17, 17}},
    {{66, 38, 27, 17}, {51, 44, 15, 5}},
    {{55, 55, 24, 24}, {49, 49, 17, 17}},
    {{38, 66, 17, 27}, {44, 51, 5, 15}},
    {{14, 55, 24, 24}, {27, 49, 17, 17}},
    {{0, 38, 27, 17}, {27, 44, 15, 5}},
    {{14, 14, 24, 24}, {27, 27, 17, 17}},
};

}  // namespace

ArrowOutline ArrowPolygon(std::int32_t direction)
{
    CheckDirection(direction);
    switch (direction) {
    case 1:
        return kUp;
    case 5:
        return Reflected(kUp, MirrorY);
    case 7:
        return Reflected(kUp, Transpose);
    case 3:
        return Reflected(ArrowPolygon(5), Transpose);
    case 2:
        return kUpperRight;
    case 6:
        return Reflected(kUpperRight, Transpose);
    case 8:
        return Reflected(kUpperRight, MirrorX);
    default:  // 4
        return Reflected(ArrowPolygon(6), MirrorX);
    }
}

std::array<Point, kArrowCount * kArrowPointCount> DragRegionPoints(const FigureScale& figure)
{
    std::array<Point, kArrowCount * kArrowPointCount> points;
    std::size_t next = 0;
    for (std::int32_t direction : kRegionOrder)
        for (const Point& p : figure.Outline(direction))
            points[next++] = p;
    return points;
}

std::int32_t ArrowHitDirection(bool inRegion, std::int32_t dx, std::int32_t dy,
                               const FigureScale& figure)
{
    if (!inRegion)
        return 0;
    // The wings of the diagonal arrows reach a few pixels across the sector
    // lines; a press there belongs to the arrow under the pointer.
    const std::int32_t centre = figure.Centre();
    if (dx >= -centre && dx <= centre && dy >= -centre && dy <= centre) {
        const Point p{dx + centre, dy + centre};
        for (std::int32_t direction = 1; direction <= kArrowCount; ++direction)
            if (OutlineCovers(figure.Outline(direction), p))
                return direction;
    }
    return SectorDirection(dx, dy);
}

ArrowParts ArrowPartsOf(std::int32_t direction)
{
    CheckDirection(direction);
    return kParts[direction - 1];
}

Box PressedSource(const Box& part, std::int32_t figureSize)
{
    const std::int32_t far = figureSize - 1;
    return {far - part.x, far - part.y, -part.width, -part.height};
}

std::int32_t FigureScale::Edge(std::int32_t designEdge) const
{
    // Twice the edge's distance from the centre line in design pixels is odd;
    // scaled by size / 93 it is taken to the nearest odd number (the odd one
    // in its stretch between two even numbers; it never is an even number
    // itself), which keeps the edge on whole pixels either side of the
    // centre pixel, the same on both sides.
    const std::int64_t scaled = std::int64_t(2 * designEdge - kFigureSize) * size;
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    const std::int64_t odd = 2 * (magnitude / (2 * kFigureSize)) + 1;
    return static_cast<std::int32_t>((size + (scaled < 0 ? -odd : odd)) / 2);
}

Box FigureScale::Pixels(const Box& design) const
{
    const std::int32_t left = Edge(design.x);
    const std::int32_t top = Edge(design.y);
    return {left, top, Edge(design.x + design.width) - left, Edge(design.y + design.height) - top};
}

ArrowParts FigureScale::PartsOf(std::int32_t direction) const
{
    const ArrowParts design = ArrowPartsOf(direction);
    return {Pixels(design.head), Pixels(design.shaft)};
}

ArrowOutline FigureScale::Outline(std::int32_t direction) const
{
    // Twice the scaled distance, rounded half away from the centre.
    const auto at = [this](std::int32_t designed) {
        const std::int64_t offset = designed - kFigureCentre;
        const std::int64_t magnitude = offset < 0 ? -offset : offset;
        const auto whole = static_cast<std::int32_t>((2 * magnitude * size + kFigureSize) /
                                                     (2 * kFigureSize));
        return Centre() + (offset < 0 ? -whole : whole);
    };
    return Reflected(ArrowPolygon(direction), [&](Point p) { return Point{at(p.x), at(p.y)}; });
}

std::vector<FigureShade> FigureScale::Shades() const
{
    // Each arrow is drawn within its parts, so that redrawing one arrow
    // never touches another, however the outline's edges fall on pixels.
    const std::size_t side = static_cast<std::size_t>(size);
    std::vector<bool> onArrow(side * side);
    for (std::int32_t d = 1; d <= kArrowCount; ++d) {
        const ArrowOutline outline = Outline(d);
        const ArrowParts parts = PartsOf(d);
        for (const Box& part : {parts.head, parts.shaft})
            for (std::int32_t y = part.y; y < part.y + part.height; ++y)
                for (std::int32_t x = part.x; x < part.x + part.width; ++x)
                    if (OutlineCovers(outline, {x, y}))
                        onArrow[std::size_t(y) * side + std::size_t(x)] = true;
    }
    const auto on = [&](std::int32_t x, std::int32_t y) {
        return x >= 0 && x < size && y >= 0 && y < size &&
               onArrow[std::size_t(y) * side + std::size_t(x)];
    };
    std::vector<FigureShade> shades(side * side, FigureShade::Face);
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            if (!on(x, y))
                continue;
            // The direction the arrow's outside lies in from this pixel.
            std::int32_t nx = 0;
            std::int32_t ny = 0;
            for (std::int32_t dy = -1; dy <= 1; ++dy)
                for (std::int32_t dx = -1; dx <= 1; ++dx)
                    if ((dx != 0 || dy != 0) && !on(x + dx, y + dy)) {
                        nx += dx;
                        ny += dy;
                    }
            // Light comes from the upper left; ties are broken by y, then x,
            // so that turning the figure over swaps light and shadow exactly.
            for (const std::int32_t value : {nx + ny, ny, nx}) {
                if (value != 0) {
                    shades[std::size_t(y) * side + std::size_t(x)] =
                        value < 0 ? FigureShade::Light : FigureShade::Shadow;
                    break;
                }
            }
        }
    }
    return shades;
}

FigureScale FigureFitting(std::int32_t boxPixels)
{
    return FigureScale{std::max(1, boxPixels % 2 == 1 ? boxPixels : boxPixels - 1)};
}

std::int32_t DirectionAfterKey(std::int32_t selected, std::int32_t keyCode)
{
    switch (keyCode) {
    case 0x25:  // Left
    case 0x26:  // Up
        return ((selected + 6) % 8) + 1;
    case 0x27:  // Right
    case 0x28:  // Down
        return (selected % 8) + 1;
    case 0x68: return 1;  // numeric pad 8
    case 0x69: return 2;  // 9
    case 0x66: return 3;  // 6
    case 0x63: return 4;  // 3
    case 0x62: return 5;  // 2
    case 0x61: return 6;  // 1
    case 0x64: return 7;  // 4
    case 0x67: return 8;  // 7
    default: return 0;    // numeric pad 5 and every other key
    }
}
