#include "pad/pad_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

namespace {

// Monitors in pixels of the virtual screen, the primary one first.
const Box kPrimary{0, 0, 1024, 768};
const Box kRight{1024, 0, 1280, 1024};
const Box kLeft{-1920, -312, 1920, 1080};

// Where the stored fractions show among the monitors: the fractions the pad
// is placed by and the monitor it is placed on.
struct Placed {
    float x;
    float y;
    std::size_t monitor;
    friend bool operator==(const Placed&, const Placed&) = default;
};
std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << '(' << p.x << ", " << p.y << " on " << p.monitor << ')';
}

Placed Place(float x, float y, const std::vector<Box>& monitors)
{
    const PadPlace place = PlacePadCentre(PadFraction(x), PadFraction(y), monitors);
    return {place.x, place.y, place.monitor};
}

}  // namespace

TEST(PadPosition, OnTheOnlyScreenStoredFractionsAreClampedAndDamagedOnesReadAsTheCentre)
{
    const std::vector<Box> one = {kPrimary};
    EXPECT_EQ(Place(0.25f, 0.75f, one), (Placed{0.25f, 0.75f, 0}));
    EXPECT_EQ(Place(-0.2f, 1.5f, one), (Placed{0.0f, 1.0f, 0}));
    EXPECT_EQ(Place(1.5f, -0.2f, one), (Placed{1.0f, 0.0f, 0}));
    EXPECT_EQ(Place(0.0f, 1.0f, one), (Placed{0.0f, 1.0f, 0}));
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Place(nan, inf, one), (Placed{0.5f, 0.5f, 0}));
    EXPECT_EQ(Place(-inf, 0.3f, one), (Placed{0.5f, 0.3f, 0}));
    // Without any monitor to go by, the primary screen's rule still holds.
    EXPECT_EQ(Place(1.5f, 0.3f, {}), (Placed{1.0f, 0.3f, 0}));
}

TEST(PadPosition, ACentreOnAnotherMonitorStaysThereAndOneWhoseMonitorIsGoneComesToTheNearest)
{
    // Two side by side: right of the primary screen is the second monitor.
    const std::vector<Box> sideBySide = {kPrimary, kRight};
    EXPECT_EQ(Place(1.5f, 0.5f, sideBySide), (Placed{1.5f, 0.5f, 1}));
    // Its first column, and the primary's last pixel.
    EXPECT_EQ(Place(1.0f, 0.5f, sideBySide), (Placed{1.0f, 0.5f, 1}));
    EXPECT_EQ(Place(1023.5f / 1024, 0.5f, sideBySide), (Placed{1023.5f / 1024, 0.5f, 0}));
    // The second monitor is taller: below the primary's bottom, still on it.
    EXPECT_EQ(Place(1.5f, 1.25f, sideBySide), (Placed{1.5f, 1.25f, 1}));
    // Below both: onto the bottom edge of the nearer one.
    EXPECT_EQ(Place(1.5f, 2.0f, sideBySide), (Placed{1.5f, 1024.0f / 768, 1}));
    EXPECT_EQ(Place(0.5f, 1.2f, sideBySide), (Placed{0.5f, 1.0f, 0}));
    // Far below the primary's middle the corner of the taller one is nearer.
    EXPECT_EQ(Place(0.5f, 2.0f, sideBySide), (Placed{1.0f, 1024.0f / 768, 1}));
    // Beyond the right monitor's right edge.
    EXPECT_EQ(Place(3.0f, 0.5f, sideBySide), (Placed{2304.0f / 1024, 0.5f, 1}));

    // A left monitor has negative coordinates, and fractions below 0.
    const std::vector<Box> withLeft = {kPrimary, kLeft};
    EXPECT_EQ(Place(-0.5f, 0.5f, withLeft), (Placed{-0.5f, 0.5f, 1}));
    EXPECT_EQ(Place(-1.875f, -0.25f, withLeft), (Placed{-1.875f, -0.25f, 1}));
    // Above it: onto its top edge, which lies above the primary's.
    EXPECT_EQ(Place(-1.0f, -1.0f, withLeft), (Placed{-1.0f, -312.0f / 768, 1}));
    // Left of both.
    EXPECT_EQ(Place(-2.5f, 0.5f, withLeft), (Placed{-1920.0f / 1024, 0.5f, 1}));

    // The monitor is gone: the stored place comes onto the primary's edge,
    // as the edge rule of a single screen puts it.
    const std::vector<Box> removed = {kPrimary};
    EXPECT_EQ(Place(1.5f, 0.5f, removed), (Placed{1.0f, 0.5f, 0}));
    EXPECT_EQ(Place(-0.5f, 1.25f, removed), (Placed{0.0f, 1.0f, 0}));
    // With another monitor still there, the nearer of the two takes it.
    EXPECT_EQ(Place(-0.5f, 0.5f, sideBySide), (Placed{0.0f, 0.5f, 0}));
    EXPECT_EQ(Place(2.5f, 0.4f, withLeft), (Placed{1.0f, 0.4f, 0}));
}

TEST(PadPosition, ThePadsSizeAtEachResolution)
{
    EXPECT_EQ(PadClientSize(96), 32);
    EXPECT_EQ(PadClientSize(120), 40);
    EXPECT_EQ(PadClientSize(144), 48);
    EXPECT_EQ(PadClientSize(192), 64);
    // A pad of 50 pixels (48 inside its border) at 10 twips per pixel.
    EXPECT_FLOAT_EQ(PadEdgeTwips(0.5f, 10240.0f, 10.0f, 25), (512 - 25) * 10.0f);
    EXPECT_FLOAT_EQ(PadCentreFraction((512 - 25) * 10.0f, 10240.0f, 10.0f, 25), 0.5f);
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
        // The pad's half size at 96, 144 and 192 DPI; beyond the screen's
        // edges lie the pixels of other monitors.
        for (const int half : {kPadHalfSize, 25, 33}) {
            for (int edge = -screen.pixels; edge <= 2 * screen.pixels; ++edge) {
                const float stored = PadCentreFraction(
                    static_cast<float>(edge) * screen.twipsPerPixel, extent, screen.twipsPerPixel,
                    half);
                const float back =
                    PadEdgeTwips(PadFraction(stored), extent, screen.twipsPerPixel, half);
                ASSERT_EQ(std::lround(back / screen.twipsPerPixel), edge)
                    << screen.pixels << " pixels, half " << half << ", edge " << edge;
            }
        }
    }
}
