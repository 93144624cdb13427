#pragma once
// An independent point-in-polygon test for the arrow outlines: which figure
// pixels lie strictly inside an outline, points on an edge counting as neither
// inside nor outside.

#include <cstdint>

#include "dialogs/drag_figure.h"

enum class Side { Inside, OnEdge, Outside };

inline Side SideOf(const ArrowOutline& outline, std::int32_t x, std::int32_t y)
{
    int winding = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point a = outline[i];
        const Point b = outline[(i + 1) % outline.size()];
        const std::int64_t cross =
            std::int64_t(b.x - a.x) * (y - a.y) - std::int64_t(x - a.x) * (b.y - a.y);
        const bool withinX = (x >= a.x && x <= b.x) || (x >= b.x && x <= a.x);
        const bool withinY = (y >= a.y && y <= b.y) || (y >= b.y && y <= a.y);
        if (cross == 0 && withinX && withinY)
            return Side::OnEdge;
        if (a.y <= y) {
            if (b.y > y && cross > 0)
                ++winding;
        } else if (b.y <= y && cross < 0) {
            --winding;
        }
    }
    return winding != 0 ? Side::Inside : Side::Outside;
}

// The direction whose outline holds (x, y) strictly inside, or 0.
inline std::int32_t OutlineHolding(std::int32_t x, std::int32_t y)
{
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        if (SideOf(ArrowPolygon(d), x, y) == Side::Inside)
            return d;
    return 0;
}
