#include "pad/gesture_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

TEST(GetDirection, PadAreaIsZeroUpToItsLastPixel)
{
    EXPECT_EQ(GetDirection(15, 15), 0);
    EXPECT_EQ(GetDirection(-16, -16), 0);
    EXPECT_EQ(GetDirection(15, -16), 0);
    EXPECT_EQ(GetDirection(-16, 15), 0);
    EXPECT_EQ(GetDirection(0, 0), 0);
    EXPECT_EQ(GetDirection(16, 16), 4);
    // The 48-pixel client area of a pad at 144 DPI, centred on its point (24, 24).
    EXPECT_EQ(GetDirection(23, 23, 48), 0);
    EXPECT_EQ(GetDirection(-24, -24, 48), 0);
    EXPECT_EQ(GetDirection(16, -17, 48), 0);
    EXPECT_EQ(GetDirection(24, 0, 48), 3);
    EXPECT_EQ(GetDirection(0, -25, 48), 1);
    EXPECT_EQ(GetDirection(24, 24, 48), 4);
}

TEST(GetDirection, OnePixelOutsideThePad)
{
    // Client (32, 16), (-1, 16), (16, 32), (16, -1).
    EXPECT_EQ(GetDirection(16, 0), 3);
    EXPECT_EQ(GetDirection(-17, 0), 7);
    EXPECT_EQ(GetDirection(0, 16), 5);
    EXPECT_EQ(GetDirection(0, -17), 1);
    // Just beyond the corners.
    EXPECT_EQ(GetDirection(16, -17), 2);
    EXPECT_EQ(GetDirection(-17, -17), 8);
    EXPECT_EQ(GetDirection(-17, 16), 6);
}

TEST(GetDirection, BorderOffsetsFallAsTheComparisonsDecide)
{
    EXPECT_EQ(GetDirection(10, -20), 2);
    EXPECT_EQ(GetDirection(-10, -20), 1);
    EXPECT_EQ(GetDirection(20, -10), 3);
    EXPECT_EQ(GetDirection(20, 10), 3);
    EXPECT_EQ(GetDirection(10, 20), 4);
    EXPECT_EQ(GetDirection(-10, 20), 5);
    EXPECT_EQ(GetDirection(-20, 10), 6);
    EXPECT_EQ(GetDirection(-20, -10), 8);
}

TEST(GetDirection, WalkingRoundThePadVisitsEachDirectionOnceClockwise)
{
    // A square ring 60 pixels out, walked clockwise starting straight up.
    std::vector<std::int32_t> seen;
    auto visit = [&](std::int32_t dx, std::int32_t dy) {
        const std::int32_t d = GetDirection(dx, dy);
        if (seen.empty() || seen.back() != d)
            seen.push_back(d);
    };
    for (std::int32_t x = 0; x < 60; ++x) visit(x, -60);
    for (std::int32_t y = -60; y < 60; ++y) visit(60, y);
    for (std::int32_t x = 60; x > -60; --x) visit(x, 60);
    for (std::int32_t y = 60; y > -60; --y) visit(-60, y);
    for (std::int32_t x = -60; x < 0; ++x) visit(x, -60);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 1}));
}

TEST(GetDirection, ExtremeOffsetsDoNotOverflow)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(GetDirection(kMax, 0), 3);
    EXPECT_EQ(GetDirection(kMin, 0), 7);
    EXPECT_EQ(GetDirection(0, kMin), 1);
    EXPECT_EQ(GetDirection(0, kMax), 5);
    EXPECT_EQ(GetDirection(kMax, kMax), 4);
    EXPECT_EQ(GetDirection(kMin, kMin), 8);
}

TEST(MapButton, SwapExchangesLeftAndRightOnly)
{
    EXPECT_EQ(MapButton(1, true), 2);
    EXPECT_EQ(MapButton(2, true), 1);
    EXPECT_EQ(MapButton(4, true), 4);
    EXPECT_EQ(MapButton(3, true), 3);
    EXPECT_EQ(MapButton(5, true), 6);
    EXPECT_EQ(MapButton(6, true), 5);
    EXPECT_EQ(MapButton(0, true), 0);
    for (std::int32_t b = 0; b < 8; ++b)
        EXPECT_EQ(MapButton(b, false), b);
}

TEST(KeyCommandSlot, LettersDigitRowAndKeypad)
{
    EXPECT_EQ(KeyCommandSlot('A'), 0);
    EXPECT_EQ(KeyCommandSlot('Z'), 25);
    EXPECT_EQ(KeyCommandSlot('0'), 26);
    EXPECT_EQ(KeyCommandSlot('9'), 35);
    for (std::int32_t digit = 0; digit < 10; ++digit)
        EXPECT_EQ(KeyCommandSlot(96 + digit), KeyCommandSlot('0' + digit));
    // Neighbours of the ranges, F10 and the Applications key launch nothing.
    for (std::int32_t key : {47, 58, 64, 91, 93, 95, 106, 121, 0, -1})
        EXPECT_EQ(KeyCommandSlot(key), -1) << key;
}

TEST(PadMove, FrameFollowsThePointerFromTheGrabbedCorner)
{
    const Point corner{100, 200};
    const Point grab = GrabOffsetAtPress(true, corner, 5, 7);
    EXPECT_EQ(grab, (Point{95, 193}));
    // Without moving the frame stays on the pad.
    EXPECT_EQ(MoveFramePosition(5, 7, grab), corner);
    // The pointer left the pad by (45, -27): so does the frame.
    EXPECT_EQ(MoveFramePosition(50, -20, grab), (Point{145, 173}));
    EXPECT_EQ(DropPositionTwips(50, -20, grab, 15, 12), (Point{145 * 15, 173 * 12}));
}

TEST(PadMove, LiveMoveKeepsThePointerOnTheGrabbedPixel)
{
    const Point grab = GrabOffsetAtPress(false, {100, 200}, 5, 7);
    EXPECT_EQ(grab, (Point{5, 7}));
    EXPECT_EQ(LiveMovePositionTwips(15, 2, grab, {1500, 3000}, 15, 15), (Point{1650, 2925}));
    EXPECT_EQ(LiveMovePositionTwips(5, 7, grab, {1500, 3000}, 15, 15), (Point{1500, 3000}));
}

TEST(PadMove, HalvesRoundToEven)
{
    EXPECT_EQ(GrabOffsetAtPress(false, {}, 2.5f, 3.5f), (Point{2, 4}));
    EXPECT_EQ(GrabOffsetAtPress(false, {}, -2.5f, -0.4f), (Point{-2, 0}));
    EXPECT_EQ(MoveFramePosition(0.5f, 1.5f, {0, 0}), (Point{0, 2}));
}
