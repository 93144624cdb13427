#include "pad/pad_units.h"

#include <cmath>
#include <limits>

std::int32_t PixelsOf(std::int32_t twips, std::int32_t twipsPerPixel)
{
    // A broken DPI report must not divide by zero; treat it as one twip per pixel.
    if (twipsPerPixel <= 0)
        return twips;
    return twips / twipsPerPixel;
}

std::int32_t NearestInt(double value)
{
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    // Clamped so that a wild pointer report cannot overflow the conversion.
    const double rounded = std::nearbyint(value);
    if (rounded <= kLow)
        return std::numeric_limits<std::int32_t>::min();
    if (rounded >= kHigh)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}
