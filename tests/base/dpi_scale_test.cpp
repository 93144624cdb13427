#include "base/dpi_scale.h"

#include <gtest/gtest.h>

// Halves round away from zero, as Windows' MulDiv does: at 125 % a designed
// 38 is 47.5 pixels and must be 48, or controls laid out from several such
// sizes drift apart by a pixel each.
TEST(DpiScale, HalvesRoundAwayFromZeroBothWays)
{
    EXPECT_EQ(ScaledToDpi(38, 120), 48);
    EXPECT_EQ(ScaledToDpi(-38, 120), -48);
    EXPECT_EQ(ScaledToDpi(5, 144), 8);
    EXPECT_EQ(ScaledToDpi(37, 120), 46);
    EXPECT_EQ(DesignPixelsOf(30, 144), 20);
    EXPECT_EQ(DesignPixelsOf(47, 120), 38);
    EXPECT_EQ(ScaledToDpi(38, 0), 38);  // no resolution: the design's
}
