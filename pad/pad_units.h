#pragma once
// Twips, pixels and rounding as the pad and its popups use them. Window
// positions arrive in twips and are turned into whole pixels by integer
// division; reals become integers by taking the nearest one (ties to even).

#include <cstdint>

// The monitor the pad is on, in whole twips of whole twips per pixel.
struct ScreenMetrics {
    std::int32_t widthTwips = 0;
    std::int32_t heightTwips = 0;
    std::int32_t twipsPerPixelX = 15;
    std::int32_t twipsPerPixelY = 15;
    // The monitor's top-left corner; the primary monitor's is 0, 0.
    std::int32_t leftTwips = 0;
    std::int32_t topTwips = 0;
};

// Whole pixels of a twips value (truncating, as integer division does).
std::int32_t PixelsOf(std::int32_t twips, std::int32_t twipsPerPixel);

// Nearest integer, halves to the even neighbour.
std::int32_t NearestInt(double value);
