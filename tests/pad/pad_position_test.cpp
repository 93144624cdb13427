#include "pad/pad_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(PadPosition, StoredFractionsAreClampedAndDamagedOnesReadAsTheCentre)
{
    EXPECT_EQ(PadFraction(0.25f), 0.25f);
    EXPECT_EQ(PadFraction(-0.2f), 0.0f);
    EXPECT_EQ(PadFraction(1.5f), 1.0f);
    EXPECT_EQ(PadFraction(0.0f), 0.0f);
    EXPECT_EQ(PadFraction(1.0f), 1.0f);
    EXPECT_EQ(PadFraction(std::numeric_limits<float>::quiet_NaN()), 0.5f);
    EXPECT_EQ(PadFraction(std::numeric_limits<float>::infinity()), 0.5f);
    EXPECT_EQ(PadFraction(-std::numeric_limits<float>::infinity()), 0.5f);
}

TEST(PadPosition, FractionsPlaceThePadsCentre)
{
    // 1024 pixels at 15 twips per pixel: the centre, and both edges.
    EXPECT_FLOAT_EQ(PadEdgeTwips(0.5f, 15360.0f, 15.0f), (512 - 17) * 15.0f);
    EXPECT_FLOAT_EQ(PadEdgeTwips(0.0f, 15360.0f, 15.0f), -17 * 15.0f);
    EXPECT_FLOAT_EQ(PadEdgeTwips(1.0f, 15360.0f, 15.0f), (1024 - 17) * 15.0f);
    EXPECT_FLOAT_EQ(PadCentreFraction((512 - 17) * 15.0f, 15360.0f, 15.0f), 0.5f);
    // A screen without extent cannot place anything: the centre is kept.
    EXPECT_EQ(PadCentreFraction(100.0f, 0.0f, 15.0f), 0.5f);
}

TEST(PadPosition, EveryPixelPositionSurvivesStoringAsAFraction)
{
    struct Screen {
        int pixels;
        float twipsPerPixel;
    };
    for (const Screen screen : {Screen{1024, 15.0f}, Screen{768, 15.0f}, Screen{1920, 12.0f},
                                Screen{2560, 10.0f}, Screen{3840, 1440.0f / 192}}) {
        const float extent = static_cast<float>(screen.pixels) * screen.twipsPerPixel;
        for (int edge = -kPadHalfSize; edge <= screen.pixels - kPadHalfSize; ++edge) {
            const float stored = PadCentreFraction(static_cast<float>(edge) * screen.twipsPerPixel,
                                                   extent, screen.twipsPerPixel);
            const float back = PadEdgeTwips(PadFraction(stored), extent, screen.twipsPerPixel);
            ASSERT_EQ(std::lround(back / screen.twipsPerPixel), edge)
                << screen.pixels << " pixels, edge " << edge;
        }
    }
}
