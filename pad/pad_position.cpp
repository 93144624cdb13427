#include "pad/pad_position.h"

#include <cmath>

namespace {
constexpr float kCentre = 0.5f;
}

float PadFraction(float stored)
{
    if (!std::isfinite(stored))
        return kCentre;
    if (stored < 0.0f)
        return 0.0f;
    if (stored > 1.0f)
        return 1.0f;
    return stored;
}

float PadEdgeTwips(float fraction, float screenTwips, float twipsPerPixel)
{
    return fraction * screenTwips - static_cast<float>(kPadHalfSize) * twipsPerPixel;
}

float PadCentreFraction(float edgeTwips, float screenTwips, float twipsPerPixel)
{
    if (!(screenTwips > 0.0f))
        return kCentre;
    return (static_cast<float>(kPadHalfSize) * twipsPerPixel + edgeTwips) / screenTwips;
}
