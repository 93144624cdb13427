#include "pad/animation_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pad/gesture_rules.h"

namespace {

constexpr std::int32_t kPad = 34;
constexpr ScreenMetrics kScreen{1024 * 15, 768 * 15, 15, 15};

using Points = std::vector<Point>;

Points Shifted(const Points& points, Point by)
{
    Points out;
    for (const Point& p : points)
        out.push_back({p.x + by.x, p.y + by.y});
    return out;
}

Point CaptionAt(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy)
{
    return CaptionPosition({x * 15, y * 15}, cx, cy, kScreen);
}

}  // namespace

TEST(AnimationGeometry, OctagonCutsOfThePad)
{
    const OctagonCuts cuts = OctagonOf(kPad);
    EXPECT_EQ(cuts.width, 34);
    EXPECT_EQ(cuts.e, 9);
    EXPECT_EQ(cuts.f, 24);
    EXPECT_EQ(OctagonOf(32).e, 9);
    EXPECT_EQ(OctagonOf(40).e, 11);
    EXPECT_EQ(OctagonOf(40).f, 28);
    EXPECT_EQ(OctagonOf(2).e, 0);
}

TEST(AnimationGeometry, MoveFrameRaysAndOutline)
{
    const MoveFrameFigure frame = MoveFrame({0, 0}, kPad);
    const Points expected = {
        {9, -1}, {-735, -1485},   {-1, 9}, {-1985, -985},  {-1, 24}, {-1985, 1016},
        {9, 34}, {-735, 1516},    {24, 34}, {766, 1516},   {34, 24}, {2016, 1016},
        {34, 9}, {2016, -985},    {24, -1}, {766, -1485},
        {0, 0}, {0, 33}, {33, 33}, {33, 0}, {0, 0},
    };
    EXPECT_EQ(Points(frame.points.begin(), frame.points.end()), expected);
    EXPECT_EQ(frame.counts, (std::array<std::uint32_t, 9>{2, 2, 2, 2, 2, 2, 2, 2, 5}));
    std::uint32_t total = 0;
    for (std::uint32_t n : frame.counts)
        total += n;
    EXPECT_EQ(total, frame.points.size());

    const MoveFrameFigure moved = MoveFrame({300, -20}, kPad);
    EXPECT_EQ(Points(moved.points.begin(), moved.points.end()), Shifted(expected, {300, -20}));

    // At 192 DPI the pad is 66 pixels wide and the rays reach twice as far.
    const MoveFrameFigure large = MoveFrame({0, 0}, 66, 192);
    const Points expectedLarge = {
        {19, -1}, {-1470, -2970},  {-1, 19}, {-3970, -1970},  {-1, 46}, {-3970, 2032},
        {19, 66}, {-1470, 3032},   {46, 66}, {1532, 3032},    {66, 46}, {4032, 2032},
        {66, 19}, {4032, -1970},   {46, -1}, {1532, -2970},
        {0, 0}, {0, 65}, {65, 65}, {65, 0}, {0, 0},
    };
    EXPECT_EQ(Points(large.points.begin(), large.points.end()), expectedLarge);
}

TEST(AnimationGeometry, SectorPolygonsOfThePad)
{
    const Points expected[9] = {
        {},
        {{-735, -1485}, {9, -1}, {24, -1}, {768, -1485}},
        {{768, -1485}, {24, -1}, {33, -1}, {33, 9}, {2018, -985}, {2018, -1485}},
        {{2018, -985}, {33, 9}, {33, 24}, {2018, 1018}},
        {{2018, 1018}, {33, 24}, {33, 33}, {24, 33}, {768, 1518}, {2018, 1518}},
        {{768, 1518}, {24, 33}, {9, 33}, {-735, 1518}},
        {{-735, 1518}, {9, 33}, {-1, 33}, {-1, 24}, {-1985, 1018}, {-1985, 1518}},
        {{-1985, 1018}, {-1, 24}, {-1, 9}, {-1985, -985}},
        {{-1985, -985}, {-1, 9}, {-1, -1}, {9, -1}, {-735, -1485}, {-1985, -1485}},
    };
    for (std::int32_t d = 0; d <= 8; ++d) {
        EXPECT_EQ(SectorPolygon({0, 0}, kPad, d), expected[d]) << d;
        EXPECT_EQ(SectorPolygon({-50, 700}, kPad, d), Shifted(expected[d], {-50, 700})) << d;
    }
    EXPECT_TRUE(SectorPolygon({0, 0}, kPad, 9).empty());
    EXPECT_TRUE(SectorPolygon({0, 0}, kPad, -1).empty());
}

// The pad at 96, 144 and 192 DPI: its outer width and the resolution.
struct ScaledPad {
    std::int32_t width;
    std::int32_t dpi;
};
constexpr ScaledPad kScaledPads[] = {{kPad, 96}, {50, 144}, {66, 192}};

TEST(AnimationGeometry, NeighbouringSectorsShareTheirBorder)
{
    for (const auto [pad, dpi] : kScaledPads) {
        for (std::int32_t d = 1; d <= 8; ++d) {
            const Points a = SectorPolygon({0, 0}, pad, d, dpi);
            const Points b = SectorPolygon({0, 0}, pad, d % 8 + 1, dpi);
            const auto shared = std::count_if(a.begin(), a.end(), [&](const Point& p) {
                return std::find(b.begin(), b.end(), p) != b.end();
            });
            EXPECT_EQ(shared, 2) << d << " at " << dpi;
        }
    }
}

TEST(AnimationGeometry, EachSectorLiesWhereTheGestureChoosesItsDirection)
{
    // The pad's client point (16, 16) is (17, 17) from the window's corner;
    // at other resolutions its client area's centre is half its width in.
    for (const auto [pad, dpi] : kScaledPads) {
        const std::int32_t half = pad / 2;
        for (std::int32_t d = 1; d <= 8; ++d) {
            const Points sector = SectorPolygon({0, 0}, pad, d, dpi);
            std::int64_t sx = 0, sy = 0;
            for (const Point& p : sector) {
                sx += p.x;
                sy += p.y;
            }
            const auto n = static_cast<std::int64_t>(sector.size());
            EXPECT_EQ(GetDirection(std::int32_t(sx / n) - half, std::int32_t(sy / n) - half,
                                   pad - 2),
                      d)
                << d << " at " << dpi;
        }
    }
}

TEST(CaptionPlacement, CornersOfTheScreen)
{
    // Top left: right of and below the pad.
    EXPECT_EQ(CaptionAt(10, 10, 200, 36), (Point{58, 58}));
    // Top right: left of the pad, below it.
    EXPECT_EQ(CaptionAt(1000, 10, 200, 36), (Point{784, 58}));
    // Bottom left and right: above the pad, ending 16 pixels above it.
    EXPECT_EQ(CaptionAt(10, 700, 200, 36), (Point{58, 648}));
    EXPECT_EQ(CaptionAt(1000, 700, 200, 36), (Point{784, 648}));
    EXPECT_EQ(648 + 36, 700 - 16);
}

TEST(CaptionPlacement, EdgesAndMiddle)
{
    EXPECT_EQ(CaptionAt(500, 300, 200, 36), (Point{416, 348}));  // centred below
    EXPECT_EQ(CaptionAt(500, 10, 200, 36), (Point{416, 58}));    // top edge
    EXPECT_EQ(CaptionAt(500, 700, 200, 36), (Point{416, 648}));  // bottom edge
    EXPECT_EQ(CaptionAt(10, 300, 200, 36), (Point{58, 298}));    // left edge: beside, centred
    EXPECT_EQ(CaptionAt(1000, 300, 201, 37), (Point{783, 298}));  // right edge; halves truncate
}

TEST(CaptionPlacement, RoomLimitsAreInclusive)
{
    // Room above starts at 64 pixels, room left likewise.
    EXPECT_EQ(CaptionAt(10, 64, 200, 36), (Point{58, 62}));
    EXPECT_EQ(CaptionAt(10, 63, 200, 36), (Point{58, 111}));
    EXPECT_EQ(CaptionAt(64, 300, 200, 36), (Point{-20, 348}));
    EXPECT_EQ(CaptionAt(63, 300, 200, 36), (Point{111, 298}));
    // Room right ends at 96 pixels before the edge.
    EXPECT_EQ(CaptionAt(928, 300, 200, 36), (Point{844, 348}));
    EXPECT_EQ(CaptionAt(929, 300, 200, 36), (Point{713, 298}));
    // Room below is judged in twips: 10080 and 10081 are both pixel 672.
    EXPECT_EQ(CaptionPosition({7500, 10080}, 200, 36, kScreen), (Point{416, 720}));
    EXPECT_EQ(CaptionPosition({7500, 10081}, 200, 36, kScreen), (Point{416, 620}));
}

TEST(CaptionPlacement, AtThePadsResolutionOnItsMonitor)
{
    // A monitor right of the primary one at 144 DPI (10 twips per pixel):
    // in its top-left corner the caption goes right of and below the pad,
    // 72 pixels from its corner rather than 48, in type 54 pixels high.
    const ScreenMetrics right{1536 * 10, 864 * 10, 10, 10, 1024 * 10, 0};
    EXPECT_EQ(CaptionPosition({1034 * 10, 10 * 10}, 300, 54, right, 144), (Point{1106, 82}));
    // Its middle: centred below the pad, whose client centre is 24 pixels in.
    EXPECT_EQ(CaptionPosition({1700 * 10, 400 * 10}, 300, 54, right, 144),
              (Point{1700 + 24 - 150, 472}));
    // Room left ends 96 pixels into the monitor, room above 96 pixels below its top.
    EXPECT_EQ(CaptionPosition({1120 * 10, 400 * 10}, 300, 54, right, 144).x, 1120 + 24 - 150);
    EXPECT_EQ(CaptionPosition({1119 * 10, 400 * 10}, 300, 54, right, 144).x, 1119 + 72);
    EXPECT_EQ(CaptionPosition({1700 * 10, 96 * 10}, 300, 54, right, 144).y, 96 + 72);
    EXPECT_EQ(CaptionPosition({1700 * 10, 95 * 10}, 300, 54, right, 144).y, 95 + 72);
    EXPECT_EQ(CaptionPosition({1119 * 10, 95 * 10}, 300, 54, right, 144),
              (Point{1119 + 72, 95 + 72}));
    // Room below ends 144 pixels above its bottom.
    EXPECT_EQ(CaptionPosition({1700 * 10, 720 * 10}, 300, 54, right, 144).y, 720 + 72);
    EXPECT_EQ(CaptionPosition({1700 * 10, 721 * 10}, 300, 54, right, 144).y, 721 - 54 - 24);
    EXPECT_EQ(CaptionTypeHeight(96), 36);
    EXPECT_EQ(CaptionTypeHeight(144), 54);
    EXPECT_EQ(CaptionTypeHeight(192), 72);
}
