#include "pad/pad_position.h"

#include <cmath>

#include "base/dpi_scale.h"

namespace {

constexpr float kCentre = 0.5f;

// How far a point lies outside the span [low, high] of one axis.
double Outside(double value, double low, double high)
{
    return value < low ? low - value : value > high ? value - high : 0.0;
}

// The stored fraction, or the monitor's edge it lies beyond, as a fraction
// of the primary screen's extent.
float OntoSpan(float fraction, double at, std::int32_t low, std::int32_t extent,
               std::int32_t primary)
{
    if (at < low)
        return static_cast<float>(double(low) / primary);
    if (at > double(low) + extent)
        return static_cast<float>((double(low) + extent) / primary);
    return fraction;
}

}  // namespace

std::int32_t PadClientSize(std::int32_t dpi) { return ScaledToDpi(kPadClientSize, dpi); }

float PadFraction(float stored) { return std::isfinite(stored) ? stored : kCentre; }

PadPlace PlacePadCentre(float x, float y, const std::vector<Box>& monitors)
{
    if (monitors.empty() || monitors.front().width <= 0 || monitors.front().height <= 0)
        return {std::fmin(std::fmax(x, 0.0f), 1.0f), std::fmin(std::fmax(y, 0.0f), 1.0f), 0};
    const Box& primary = monitors.front();
    const double cx = double(x) * primary.width;
    const double cy = double(y) * primary.height;
    std::size_t nearest = 0;
    double nearestDistance = -1.0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Box& b = monitors[i];
        if (cx >= b.x && cx < double(b.x) + b.width && cy >= b.y && cy < double(b.y) + b.height)
            return {x, y, i};
        const double dx = Outside(cx, b.x, double(b.x) + b.width);
        const double dy = Outside(cy, b.y, double(b.y) + b.height);
        const double distance = dx * dx + dy * dy;
        if (nearestDistance < 0.0 || distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    const Box& onto = monitors[nearest];
    return {OntoSpan(x, cx, onto.x, onto.width, primary.width),
            OntoSpan(y, cy, onto.y, onto.height, primary.height), nearest};
}

float PadEdgeTwips(float fraction, float screenTwips, float twipsPerPixel, std::int32_t halfSize)
{
    return fraction * screenTwips - static_cast<float>(halfSize) * twipsPerPixel;
}

float PadCentreFraction(float edgeTwips, float screenTwips, float twipsPerPixel,
                        std::int32_t halfSize)
{
    if (!(screenTwips > 0.0f))
        return kCentre;
    return (static_cast<float>(halfSize) * twipsPerPixel + edgeTwips) / screenTwips;
}
