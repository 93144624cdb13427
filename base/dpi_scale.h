#pragma once
// Sizes at a display's resolution. The program's windows are designed at
// 96 dots per inch (15 twips per pixel); on a monitor of another resolution
// every designed pixel size is scaled by its dots per inch over 96.

#include <cstdint>

inline constexpr std::int32_t kDesignDpi = 96;

// A designed size in pixels at dpi: rounded to the nearest pixel, halves
// away from zero (as MulDiv rounds). A resolution that is not positive
// counts as the design's.
std::int32_t ScaledToDpi(std::int32_t designPixels, std::int32_t dpi);

// The designed size of a size in pixels at dpi, rounded to the nearest.
std::int32_t DesignPixelsOf(std::int32_t pixels, std::int32_t dpi);

// The smallest designed size that scales to at least the pixels at dpi: for
// text measured at dpi that must not be cut off.
std::int32_t DesignPixelsCovering(std::int32_t pixels, std::int32_t dpi);
