#pragma once
// Where the pad is kept between runs: its centre as fractions of the screen's
// width and height (0 the left or top edge, 1 the right or bottom edge).

#include <cstdint>

// Half the pad's outer size in pixels: the offset from its corner to its centre.
inline constexpr std::int32_t kPadHalfSize = 17;
// The pad's client area is this many pixels square.
inline constexpr std::int32_t kPadClientSize = 32;

// A stored fraction as the pad uses it: clamped to 0..1; a value that is no
// number or infinite (a damaged setting) reads as the centre, 0.5.
float PadFraction(float stored);

// The pad's left (or top) edge in twips that puts its centre at the fraction
// of a screen extent given in twips.
float PadEdgeTwips(float fraction, float screenTwips, float twipsPerPixel);

// The fraction to store for the pad's edge at edgeTwips; 0.5 when the screen
// extent is not positive.
float PadCentreFraction(float edgeTwips, float screenTwips, float twipsPerPixel);
