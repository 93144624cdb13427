#pragma once
// Plain integer points and rectangles for rules that know nothing of the
// window system. Window code copies them into POINT and RECT.

#include <cstdint>

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Position and size, as GDI's blit and window placement calls take them.
struct Box {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Box&, const Box&) = default;

    // True when pixel (px, py) lies in the box (right and bottom edges excluded).
    bool Contains(std::int32_t px, std::int32_t py) const
    {
        return px >= x && py >= y && px - x < width && py - y < height;
    }
};

// One monitor: where it lies in the virtual screen, in pixels (the primary
// monitor's top-left corner is 0, 0), and its dots per inch.
struct MonitorArea {
    Box bounds;
    std::int32_t dpi = 96;
};
