#pragma once
// The eight-arrow figure of the drag page: the arrows' outlines for the hit
// region, the rectangles that redraw one arrow, and the keys that walk round
// it. Figure pixels run from 0 to 92 on both axes; the centre is (46, 46).
// Directions are 1 (up) to 8 (upper left), clockwise.

#include <array>
#include <cstdint>

#include "base/plane.h"

inline constexpr std::int32_t kFigureSize = 93;
inline constexpr std::int32_t kFigureCentre = 46;
inline constexpr std::int32_t kArrowPointCount = 11;
inline constexpr std::int32_t kArrowCount = 8;

using ArrowOutline = std::array<Point, kArrowPointCount>;

// The outline of one arrow. A direction outside 1..8 raises NumberedError 5.
ArrowOutline ArrowPolygon(std::int32_t direction);

// The directions in the order their outlines appear in the hit region:
// up, down, left, right, upper right, lower left, upper left, lower right.
inline constexpr std::array<std::int32_t, kArrowCount> kRegionOrder = {1, 5, 7, 3, 2, 6, 8, 4};

// All 88 outline points in region order, for one polygon-per-arrow region
// (CreatePolyPolygonRgn, 8 polygons of kArrowPointCount points, WINDING).
std::array<Point, kArrowCount * kArrowPointCount> DragRegionPoints();

// HitTestDirection once the region has been asked whether figure point
// (dx + 46, dy + 46) lies on an arrow: 0 off the region; the arrow whose
// outline (edges included) holds the point; otherwise the direction by the
// lines of slope +-2 and +-1/2 through the centre (SectorDirection).
std::int32_t ArrowHitDirection(bool inRegion, std::int32_t dx, std::int32_t dy);

// The two parts that redraw one arrow: its head, then its shaft.
struct ArrowParts {
    Box head;
    Box shaft;
};
ArrowParts ArrowPartsOf(std::int32_t direction);

// Where a pressed part is copied from in a figure of figureSize pixels: the
// opposite arrow's part, turned by 180 degrees (a stretch blit with negative
// extents).
Box PressedSource(const Box& part, std::int32_t figureSize = kFigureSize);

// The sizes the figure is drawn in (resources/drag_arrows.py), for the usual
// display scalings: 100, 125, 150, 175 and 200 %. Each is odd, so that the
// figure keeps a centre pixel and turns onto itself.
inline constexpr std::array<std::int32_t, 5> kFigureSizes = {93, 115, 139, 161, 185};

// The figure drawn in one of those sizes. Design pixels 0..92 stretch to its
// size about the centre, so that every part of the design covers the same
// arrows at any size (resources/drag_arrows.py draws the outlines so).
struct FigureScale {
    std::int32_t size = kFigureSize;

    // The pixel edge at design edge 0..93: 0 and size at the ends, and as
    // far from one end as its mirror image is from the other.
    std::int32_t Edge(std::int32_t designEdge) const;
    // The pixels of a box of design pixels.
    Box Pixels(const Box& design) const;
    // One arrow's parts in this figure's pixels.
    ArrowParts PartsOf(std::int32_t direction) const;
};
// The largest drawn figure that fits in a box of boxPixels square; the
// smallest when none does.
FigureScale FigureFitting(std::int32_t boxPixels);

// The direction a key on the focused figure selects, or 0 for none: Left and
// Up go counter-clockwise, Right and Down clockwise, the numeric pad's digits
// round 5 point the way they lie on the pad (8 up, 9 upper right, ...).
std::int32_t DirectionAfterKey(std::int32_t selected, std::int32_t keyCode);
