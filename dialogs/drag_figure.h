#pragma once
// The eight-arrow figure of the drag page: its pixels drawn for a size, the
// arrows' outlines for the hit region, the rectangles that redraw one arrow,
// and the keys that walk round it. The figure is designed in pixels 0 to 92
// on both axes, centre (46, 46), and drawn for the size of its box.
// Directions are 1 (up) to 8 (upper left), clockwise.

#include <array>
#include <cstdint>
#include <vector>

#include "base/plane.h"

inline constexpr std::int32_t kFigureSize = 93;
inline constexpr std::int32_t kFigureCentre = 46;
inline constexpr std::int32_t kArrowPointCount = 11;
inline constexpr std::int32_t kArrowCount = 8;

using ArrowOutline = std::array<Point, kArrowPointCount>;

// The outline of one arrow as designed, in a figure of 93 pixels. A
// direction outside 1..8 raises NumberedError 5.
ArrowOutline ArrowPolygon(std::int32_t direction);

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

// The three greys the figure is drawn in, the current 3D colours on screen.
enum class FigureShade : std::uint8_t { Shadow, Face, Light };

// The figure drawn for a size, odd so that it keeps a centre pixel and
// turns onto itself. Design pixels 0..92 stretch to its size about the
// centre, so that every part of the design covers the same arrows at any
// size.
struct FigureScale {
    std::int32_t size = kFigureSize;

    std::int32_t Centre() const { return (size - 1) / 2; }
    // One arrow's outline drawn for this size: the design's corners scaled
    // about the centre pixel by size / 93, halves away from the centre, so
    // that each arrow stays within its parts.
    ArrowOutline Outline(std::int32_t direction) const;
    // The figure's pixels, row by row from the top: the arrows' outlines
    // filled, edges facing up or left lit, edges facing down or right in
    // shadow, faces and background the button face. Turned by 180 degrees,
    // an arrow therefore looks pressed.
    std::vector<FigureShade> Shades() const;

    // The pixel edge at design edge 0..93: 0 and size at the ends, and as
    // far from one end as its mirror image is from the other.
    std::int32_t Edge(std::int32_t designEdge) const;
    // The pixels of a box of design pixels.
    Box Pixels(const Box& design) const;
    // One arrow's parts in this figure's pixels.
    ArrowParts PartsOf(std::int32_t direction) const;
};
// The figure that fills a box of boxPixels square: the largest odd size.
FigureScale FigureFitting(std::int32_t boxPixels);

// The directions in the order their outlines appear in the hit region:
// up, down, left, right, upper right, lower left, upper left, lower right.
inline constexpr std::array<std::int32_t, kArrowCount> kRegionOrder = {1, 5, 7, 3, 2, 6, 8, 4};

// All 88 outline points of a figure in region order, for one
// polygon-per-arrow region (CreatePolyPolygonRgn, 8 polygons of
// kArrowPointCount points, WINDING).
std::array<Point, kArrowCount * kArrowPointCount> DragRegionPoints(const FigureScale& figure = {});

// The direction at offset (dx, dy) from a figure's centre pixel once its
// region has been asked whether that point lies on an arrow: 0 off the
// region; the arrow whose outline (edges included) holds the point;
// otherwise the direction by the lines of slope +-2 and +-1/2 through the
// centre (SectorDirection).
std::int32_t ArrowHitDirection(bool inRegion, std::int32_t dx, std::int32_t dy,
                               const FigureScale& figure = {});

// The direction a key on the focused figure selects, or 0 for none: Left and
// Up go counter-clockwise, Right and Down clockwise, the numeric pad's digits
// round 5 point the way they lie on the pad (8 up, 9 upper right, ...).
std::int32_t DirectionAfterKey(std::int32_t selected, std::int32_t keyCode);
