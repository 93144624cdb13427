#include "base/dpi_scale.h"

namespace {

std::int32_t Valid(std::int32_t dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// value × numerator ÷ denominator, to the nearest integer, halves away from zero.
std::int32_t MulDivRounded(std::int32_t value, std::int32_t numerator, std::int32_t denominator)
{
    const std::int64_t product = std::int64_t(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<std::int32_t>(product >= 0 ? (product + half) / denominator
                                                  : -((-product + half) / denominator));
}

}  // namespace

std::int32_t ScaledToDpi(std::int32_t designPixels, std::int32_t dpi)
{
    return MulDivRounded(designPixels, Valid(dpi), kDesignDpi);
}

std::int32_t DesignPixelsOf(std::int32_t pixels, std::int32_t dpi)
{
    return MulDivRounded(pixels, kDesignDpi, Valid(dpi));
}

std::int32_t DesignPixelsCovering(std::int32_t pixels, std::int32_t dpi)
{
    std::int32_t design = DesignPixelsOf(pixels, dpi);
    while (ScaledToDpi(design, dpi) < pixels)
        ++design;
    return design;
}
