#pragma once
// Where the pad is kept between runs: its centre as fractions of the primary
// screen's width and height (0 the left or top edge, 1 the right or bottom
// edge). A centre on another monitor lies beyond 0..1: left of or above the
// primary screen below 0, right of or below it above 1.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/plane.h"

// The pad's client area is this many designed pixels square (32 pixels at
// 96 DPI, 48 at 144, 64 at 192).
inline constexpr std::int32_t kPadClientSize = 32;
// Half the pad's outer size at 96 DPI: the offset from its corner to its centre.
inline constexpr std::int32_t kPadHalfSize = 17;

// The pad's client size in pixels at a monitor's resolution.
std::int32_t PadClientSize(std::int32_t dpi);

// A stored fraction as read: a value that is no number or infinite (a
// damaged setting) reads as the centre, 0.5.
float PadFraction(float stored);

// Where a stored centre (fractions, after PadFraction) shows, given the
// monitors in pixels of the virtual screen, the primary one first: on the
// monitor it lies on, as stored; else on the nearest monitor, each fraction
// that lies beyond that monitor taken back to its edge. With the primary
// screen alone that is the stored fractions clamped to 0..1.
struct PadPlace {
    float x = 0.5f;
    float y = 0.5f;
    std::size_t monitor = 0;  // index of the monitor in the list
};
PadPlace PlacePadCentre(float x, float y, const std::vector<Box>& monitors);

// The pad's left (or top) edge in twips that puts its centre at the fraction
// of a screen extent given in twips, for a pad of halfSize pixels to its centre.
float PadEdgeTwips(float fraction, float screenTwips, float twipsPerPixel,
                   std::int32_t halfSize = kPadHalfSize);

// The fraction to store for the pad's edge at edgeTwips; 0.5 when the screen
// extent is not positive.
float PadCentreFraction(float edgeTwips, float screenTwips, float twipsPerPixel,
                        std::int32_t halfSize = kPadHalfSize);
