#pragma once
// Plain integer points and rectangles for rules that know nothing of the
// window system. Window code copies them into POINT and RECT.

#include <algorithm>
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

// A box moved as little as needed to lie within `bounds`; one larger than
// `bounds` keeps its top-left corner inside.
inline Box MovedWithin(const Box& box, const Box& bounds)
{
    const auto place = [](std::int32_t start, std::int32_t size, std::int32_t boundsStart,
                          std::int32_t boundsSize) {
        return std::max(std::min(start, boundsStart + boundsSize - size), boundsStart);
    };
    return {place(box.x, box.width, bounds.x, bounds.width),
            place(box.y, box.height, bounds.y, bounds.height), box.width, box.height};
}

// A box of the given size centred over `over`, then moved within `bounds`.
inline Box CentredWithin(const Box& over, std::int32_t width, std::int32_t height,
                         const Box& bounds)
{
    return MovedWithin({over.x + (over.width - width) / 2, over.y + (over.height - height) / 2,
                        width, height},
                       bounds);
}
