// The drag figure's hit region as GDI builds it from the arrow outlines.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "arrow_outline_oracle.h"
#include "base/win_handles.h"
#include "dialogs/drag_figure.h"

namespace {

UniqueGdiObject<HRGN> DragRegion()
{
    std::vector<POINT> points;
    for (const Point& p : DragRegionPoints())
        points.push_back({p.x, p.y});
    std::vector<INT> counts(kArrowCount, kArrowPointCount);
    return UniqueGdiObject<HRGN>(
        CreatePolyPolygonRgn(points.data(), counts.data(), kArrowCount, WINDING));
}

}  // namespace

TEST(DragRegion, HoldsTheArrowsAndNothingElse)
{
    const auto region = DragRegion();
    ASSERT_TRUE(region);
    int hits = 0;
    for (std::int32_t y = 0; y < kFigureSize; ++y) {
        for (std::int32_t x = 0; x < kFigureSize; ++x) {
            const bool in = PtInRegion(region.get(), x, y) != FALSE;
            const std::int32_t holder = OutlineHolding(x, y);
            if (holder != 0) {
                EXPECT_TRUE(in) << x << ',' << y;
                EXPECT_EQ(ArrowHitDirection(in, x - 46, y - 46), holder) << x << ',' << y;
            }
            if (in) {
                ++hits;
                bool onSomeOutline = false;
                for (std::int32_t d = 1; d <= kArrowCount; ++d)
                    onSomeOutline |= SideOf(ArrowPolygon(d), x, y) != Side::Outside;
                EXPECT_TRUE(onSomeOutline) << x << ',' << y;
            }
        }
    }
    EXPECT_GT(hits, 8 * 100);
}

TEST(DragRegion, GapsCentreAndCornersSelectNothing)
{
    const auto region = DragRegion();
    ASSERT_TRUE(region);
    const POINT empty[] = {{46, 46}, {56, 20}, {20, 36}, {72, 56}, {36, 72}, {46, 45},
                           {0, 0},   {92, 0},  {0, 92},  {92, 92}, {5, 30},  {93, 46}};
    for (const POINT& p : empty) {
        const bool in = PtInRegion(region.get(), p.x, p.y) != FALSE;
        EXPECT_FALSE(in) << p.x << ',' << p.y;
        EXPECT_EQ(ArrowHitDirection(in, p.x - 46, p.y - 46), 0);
    }
}
