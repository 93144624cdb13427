#include "dialogs/drag_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "arrow_outline_oracle.h"
#include "base/direction_sectors.h"
#include "base/numbered_error.h"

namespace {

using PointSet = std::set<std::pair<std::int32_t, std::int32_t>>;

template <typename Map>
PointSet Mapped(const ArrowOutline& outline, Map map)
{
    PointSet set;
    for (const Point& p : outline) {
        const Point q = map(p);
        set.insert({q.x, q.y});
    }
    return set;
}

Point Same(Point p) { return p; }
Point QuarterTurn(Point p) { return {92 - p.y, p.x}; }  // clockwise on screen
Point HalfTurn(Point p) { return {92 - p.x, 92 - p.y}; }

std::int32_t Next(std::int32_t d, std::int32_t steps) { return (d - 1 + steps) % 8 + 1; }

// The figure's size in its box of 93 designed pixels at 96, 120 ... 288 DPI.
constexpr std::int32_t kDrawnSizes[] = {93, 115, 139, 163, 185, 209, 233, 255, 279};

}  // namespace

TEST(DragFigure, HandDrawnArrows)
{
    EXPECT_EQ(ArrowPolygon(1)[0], (Point{46, 0}));
    EXPECT_EQ(ArrowPolygon(1)[5], (Point{45, 41}));
    EXPECT_EQ(ArrowPolygon(1)[10], (Point{54, 24}));
    EXPECT_EQ(ArrowPolygon(2)[0], (Point{78, 14}));
    EXPECT_EQ(ArrowPolygon(2)[5], (Point{51, 43}));
    EXPECT_EQ(ArrowPolygon(2)[10], (Point{55, 26}));
    // Down is up mirrored top to bottom, point for point.
    EXPECT_EQ(ArrowPolygon(5)[0], (Point{46, 92}));
    EXPECT_EQ(ArrowPolygon(5)[5], (Point{45, 51}));
    // Lower right is the upper right arrow turned over the centre.
    EXPECT_EQ(ArrowPolygon(4)[0], (Point{78, 78}));
}

TEST(DragFigure, ReflectionsTurnTheFigureOntoItself)
{
    for (std::int32_t d = 1; d <= 8; ++d) {
        const ArrowOutline outline = ArrowPolygon(d);
        EXPECT_EQ(Mapped(outline, QuarterTurn), Mapped(ArrowPolygon(Next(d, 2)), Same)) << d;
        EXPECT_EQ(Mapped(outline, HalfTurn), Mapped(ArrowPolygon(Next(d, 4)), Same)) << d;
        // Each arrow is symmetric about its own axis: point k mirrors point 11 - k.
        const auto axisMirror = [d](Point p) -> Point {
            switch (d) {
            case 1: case 5: return {92 - p.x, p.y};
            case 3: case 7: return {p.x, 92 - p.y};
            case 2: case 6: return {92 - p.y, 92 - p.x};
            default: return {p.y, p.x};
            }
        };
        EXPECT_EQ(axisMirror(outline[0]), outline[0]) << d;
        for (std::size_t k = 1; k <= 10; ++k)
            EXPECT_EQ(axisMirror(outline[k]), outline[11 - k]) << d << ' ' << k;
    }
}

TEST(DragFigure, RegionListsTheArrowsInItsOrder)
{
    const auto points = DragRegionPoints();
    for (std::size_t i = 0; i < kRegionOrder.size(); ++i) {
        const ArrowOutline outline = ArrowPolygon(kRegionOrder[i]);
        EXPECT_TRUE(std::equal(outline.begin(), outline.end(), points.begin() + i * 11)) << i;
    }
    EXPECT_EQ(std::set<std::int32_t>(kRegionOrder.begin(), kRegionOrder.end()).size(), 8u);
}

TEST(DragFigure, EveryPixelOfAnArrowClassifiesAsThatArrow)
{
    std::int32_t pixels[9] = {};
    for (std::int32_t y = 0; y < kFigureSize; ++y) {
        for (std::int32_t x = 0; x < kFigureSize; ++x) {
            std::int32_t holders = 0;
            for (std::int32_t d = 1; d <= 8; ++d) {
                if (SideOf(ArrowPolygon(d), x, y) == Side::Outside)
                    continue;
                ++holders;
                ++pixels[d];
                EXPECT_EQ(ArrowHitDirection(true, x - 46, y - 46), d) << x << ',' << y;
            }
            EXPECT_LE(holders, 1) << x << ',' << y;
        }
    }
    // Straight arrows match each other, and so do diagonal ones.
    for (std::int32_t d = 3; d <= 8; ++d)
        EXPECT_EQ(pixels[d], pixels[d - 2]) << d;
    EXPECT_GT(pixels[1], 100);
    EXPECT_GT(pixels[2], 100);
}

TEST(DragFigure, HitsOnArrowsBordersGapsAndCorners)
{
    EXPECT_EQ(ArrowHitDirection(true, 1, -2), 2);
    EXPECT_EQ(ArrowHitDirection(true, -1, -2), 1);
    EXPECT_EQ(ArrowHitDirection(true, 2, 1), 3);
    EXPECT_EQ(ArrowHitDirection(false, 0, -40), 0);
    // Tips and shaft ends of the arrows.
    const std::pair<Point, std::int32_t> onArrows[] = {
        {{46, 3}, 1}, {{46, 39}, 1}, {{75, 17}, 2}, {{51, 41}, 2}, {{89, 46}, 3},
        {{46, 89}, 5}, {{3, 46}, 7}, {{17, 17}, 8}, {{75, 75}, 4}, {{17, 75}, 6},
    };
    for (const auto& [p, d] : onArrows) {
        EXPECT_EQ(OutlineHolding(p.x, p.y), d) << p.x << ',' << p.y;
        EXPECT_EQ(ArrowHitDirection(OutlineHolding(p.x, p.y) != 0, p.x - 46, p.y - 46), d);
    }
    // The centre, the gaps between neighbouring arrows and the corners hold none.
    const Point empty[] = {{46, 46}, {56, 20}, {20, 36}, {72, 56}, {36, 72}, {46, 45},
                           {0, 0}, {92, 0}, {0, 92}, {92, 92}, {5, 30}};
    for (const Point& p : empty)
        EXPECT_EQ(OutlineHolding(p.x, p.y), 0) << p.x << ',' << p.y;
}

TEST(DragFigure, WingTipsAcrossASectorLineBelongToTheirArrow)
{
    // These pixels of the diagonal arrows' wings lie beyond the sector lines:
    // the sector alone would pick the straight neighbour.
    const std::pair<Point, std::int32_t> wingTips[] = {
        {{55, 27}, 2}, {{65, 37}, 2}, {{65, 55}, 4}, {{55, 65}, 4},
        {{37, 65}, 6}, {{27, 55}, 6}, {{27, 37}, 8}, {{37, 27}, 8},
    };
    for (const auto& [p, d] : wingTips) {
        EXPECT_EQ(OutlineHolding(p.x, p.y), d) << p.x << ',' << p.y;
        EXPECT_NE(SectorDirection(p.x - 46, p.y - 46), d) << p.x << ',' << p.y;
        EXPECT_EQ(ArrowHitDirection(true, p.x - 46, p.y - 46), d) << p.x << ',' << p.y;
    }
    // Off the arrows the sector lines decide, even for offsets far outside.
    EXPECT_EQ(ArrowHitDirection(true, 1, -2), 2);
    EXPECT_EQ(ArrowHitDirection(true, 1000, -1), 3);
    EXPECT_EQ(ArrowHitDirection(true, std::numeric_limits<std::int32_t>::min(), 0), 7);
    EXPECT_EQ(ArrowHitDirection(false, 9, -19), 0);
}

TEST(DragFigure, PartsCoverTheirArrowAndNothingElse)
{
    for (std::int32_t d = 1; d <= 8; ++d) {
        const ArrowParts parts = ArrowPartsOf(d);
        for (const Box& box : {parts.head, parts.shaft}) {
            EXPECT_GE(box.x, 0);
            EXPECT_GE(box.y, 0);
            EXPECT_LE(box.x + box.width, kFigureSize);
            EXPECT_LE(box.y + box.height, kFigureSize);
        }
        for (std::int32_t y = 0; y < kFigureSize; ++y) {
            for (std::int32_t x = 0; x < kFigureSize; ++x) {
                if (SideOf(ArrowPolygon(d), x, y) != Side::Outside) {
                    EXPECT_TRUE(parts.head.Contains(x, y) || parts.shaft.Contains(x, y))
                        << d << ": " << x << ',' << y;
                }
            }
        }
        // No two parts overlap, so redrawing one arrow never touches another.
        for (std::int32_t other = 1; other < d; ++other) {
            const ArrowParts o = ArrowPartsOf(other);
            for (const Box& a : {parts.head, parts.shaft})
                for (const Box& b : {o.head, o.shaft})
                    EXPECT_FALSE(a.x < b.x + b.width && b.x < a.x + a.width &&
                                 a.y < b.y + b.height && b.y < a.y + a.height)
                        << d << " and " << other;
        }
    }
}

TEST(DragFigure, PressedPartsComeFromTheOppositeArrow)
{
    // In the figure of every size it is drawn in.
    for (const std::int32_t size : kDrawnSizes) {
        const FigureScale figure{size};
        for (std::int32_t d = 1; d <= 8; ++d) {
            const ArrowParts parts = figure.PartsOf(d);
            const ArrowParts opposite = figure.PartsOf(Next(d, 4));
            const std::pair<Box, Box> pairs[] = {{parts.head, opposite.head},
                                                 {parts.shaft, opposite.shaft}};
            for (const auto& [part, source] : pairs) {
                const Box from = PressedSource(part, size);
                // A negative extent runs from the origin pixel backwards.
                EXPECT_EQ(from.x + from.width + 1, source.x) << d << " in " << size;
                EXPECT_EQ(from.y + from.height + 1, source.y) << d << " in " << size;
                EXPECT_EQ(-from.width, source.width) << d << " in " << size;
                EXPECT_EQ(-from.height, source.height) << d << " in " << size;
            }
        }
    }
}

TEST(DragFigure, EachDrawnSizeStretchesTheDesignEvenlyAboutItsCentre)
{
    for (const std::int32_t size : kDrawnSizes) {
        const FigureScale figure{size};
        EXPECT_EQ(size % 2, 1);
        EXPECT_EQ(figure.Edge(0), 0);
        EXPECT_EQ(figure.Edge(kFigureSize), size);
        for (std::int32_t e = 0; e < kFigureSize; ++e) {
            // Every design pixel becomes the whole pixels either side of
            // size / 93, none is lost.
            const std::int32_t width = figure.Edge(e + 1) - figure.Edge(e);
            EXPECT_GE(width * kFigureSize, size - kFigureSize + 1) << e << " in " << size;
            EXPECT_LE(width * kFigureSize, size + kFigureSize - 1) << e << " in " << size;
            EXPECT_EQ(figure.Edge(kFigureSize - e), size - figure.Edge(e)) << e << " in " << size;
        }
    }
    EXPECT_EQ(FigureScale{}.PartsOf(3).head, ArrowPartsOf(3).head);
}

TEST(DragFigure, TheFigureFillsItsBoxAndTheMiddleOfEachArrowSelectsIt)
{
    // The box of 93 designed pixels at 96, 120 ... 288 DPI, and between.
    const std::int32_t boxes[] = {93, 116, 140, 163, 186, 209, 233, 256, 279, 107, 80};
    const std::int32_t sizes[] = {93, 115, 139, 163, 185, 209, 233, 255, 279, 107, 79};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        const FigureScale figure = FigureFitting(boxes[i]);
        ASSERT_EQ(figure.size, sizes[i]) << boxes[i];
        const std::int32_t c = figure.Centre();
        for (std::int32_t d = 1; d <= 8; ++d) {
            // Halfway from the tip to the end of the shaft, in the figure's pixels.
            const ArrowOutline o = figure.Outline(d);
            const Point middle{(2 * o[0].x + o[5].x + o[6].x) / 4,
                               (2 * o[0].y + o[5].y + o[6].y) / 4};
            EXPECT_EQ(ArrowHitDirection(true, middle.x - c, middle.y - c, figure), d)
                << d << " in " << figure.size;
        }
    }
    // At 93 pixels the drawn outlines are the designed ones.
    for (std::int32_t d = 1; d <= 8; ++d)
        EXPECT_EQ(FigureScale{}.Outline(d), ArrowPolygon(d)) << d;
}

TEST(DragFigure, EachSizeIsDrawnInThreeGreysAndEachArrowInItsPartsTurnsOver)
{
    for (const std::int32_t size : kDrawnSizes) {
        const FigureScale figure{size};
        const std::vector<FigureShade> shades = figure.Shades();
        ASSERT_EQ(shades.size(), std::size_t(size * size));
        const auto at = [&](std::int32_t x, std::int32_t y) {
            return shades[std::size_t(y * size + x)];
        };
        std::vector<std::set<FigureShade>> seen(kArrowCount + 1);
        std::vector<ArrowParts> parts;
        for (std::int32_t d = 1; d <= kArrowCount; ++d)
            parts.push_back(figure.PartsOf(d));
        for (std::int32_t y = 0; y < size; ++y) {
            for (std::int32_t x = 0; x < size; ++x) {
                const FigureShade raised = at(x, y);
                const FigureShade turned = at(size - 1 - x, size - 1 - y);
                // Lit edges become shadow and back; faces and the background stay.
                const FigureShade expected = raised == FigureShade::Face    ? FigureShade::Face
                                             : raised == FigureShade::Light ? FigureShade::Shadow
                                                                            : FigureShade::Light;
                EXPECT_EQ(turned, expected) << size << ": " << x << ',' << y;
                // A pixel belongs to the parts of one arrow at most, which
                // redraw it raised and pressed; outside them lies the background.
                std::int32_t owner = 0;
                for (std::int32_t d = 1; d <= kArrowCount; ++d) {
                    const ArrowParts& own = parts[std::size_t(d - 1)];
                    if (own.head.Contains(x, y) || own.shaft.Contains(x, y)) {
                        EXPECT_EQ(owner, 0) << size << ": " << x << ',' << y;
                        owner = d;
                    }
                }
                if (owner == 0)
                    EXPECT_EQ(raised, FigureShade::Face) << size << ": " << x << ',' << y;
                else if (SideOf(figure.Outline(owner), x, y) != Side::Outside)
                    seen[std::size_t(owner)].insert(raised);
            }
        }
        for (std::int32_t d = 1; d <= kArrowCount; ++d)
            EXPECT_EQ(seen[std::size_t(d)],
                      (std::set<FigureShade>{FigureShade::Shadow, FigureShade::Face,
                                             FigureShade::Light}))
                << size << ": " << d;
    }
}

TEST(DragFigure, KeysWalkRoundTheFigure)
{
    constexpr std::int32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
    EXPECT_EQ(DirectionAfterKey(1, kLeft), 8);
    EXPECT_EQ(DirectionAfterKey(8, kRight), 1);
    EXPECT_EQ(DirectionAfterKey(3, kUp), 2);
    EXPECT_EQ(DirectionAfterKey(3, kDown), 4);
    for (std::int32_t d = 1; d <= 8; ++d) {
        EXPECT_EQ(DirectionAfterKey(DirectionAfterKey(d, kLeft), kRight), d);
        EXPECT_EQ(DirectionAfterKey(d, kDown), Next(d, 1));
    }
    // Numeric pad digits point the way they lie around 5.
    for (std::int32_t digit = 1; digit <= 9; ++digit) {
        const std::int32_t dx = (digit - 1) % 3 - 1;
        const std::int32_t dy = 1 - (digit - 1) / 3;
        const std::int32_t expected = digit == 5 ? 0 : ArrowHitDirection(true, dx, dy);
        EXPECT_EQ(DirectionAfterKey(4, 0x60 + digit), expected) << digit;
    }
    for (std::int32_t key : {0x60, 0x65, 0x24, 0x41, 0x38, 0x6A})
        EXPECT_EQ(DirectionAfterKey(4, key), 0) << key;
}

TEST(DragFigure, UnknownDirectionsAreRejected)
{
    for (std::int32_t d : {0, 9, -1}) {
        try {
            (void)ArrowPolygon(d);
            ADD_FAILURE() << d;
        } catch (const NumberedError& e) {
            EXPECT_EQ(e.Number(), kErrInvalidArgument);
        }
        EXPECT_THROW((void)ArrowPartsOf(d), NumberedError);
    }
}
