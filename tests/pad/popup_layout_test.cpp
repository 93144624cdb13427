#include "pad/popup_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 1024 x 768 pixels at 96 DPI.
constexpr ScreenMetrics kScreen{1024 * 15, 768 * 15, 15, 15};

// The whole of a monitor as its work area, in pixels.
Box WholeOf(const ScreenMetrics& screen)
{
    return {screen.leftTwips / screen.twipsPerPixelX, screen.topTwips / screen.twipsPerPixelY,
            screen.widthTwips / screen.twipsPerPixelX, screen.heightTwips / screen.twipsPerPixelY};
}

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos)
            return lines;
        start = end + 2;
    }
}

}  // namespace

TEST(StatusWindow, CentredBelowThePad)
{
    // Pad at (300, 200) pixels, label 60 x 16 pixels.
    const Box box = StatusWindowBox({300 * 15, 200 * 15}, 900, 240, kScreen, WholeOf(kScreen));
    EXPECT_EQ(box, (Box{284, 238, 64, 20}));
    EXPECT_EQ(box.x + box.width / 2, 300 + 16);
}

TEST(StatusWindow, AboveThePadNearTheBottomJudgedInTwips)
{
    // The limit is 100 pixels above the bottom: 10020 twips. 10021 twips is
    // still pixel 668, yet the window goes above.
    EXPECT_EQ(StatusWindowBox({4500, 10020}, 900, 240, kScreen, WholeOf(kScreen)).y, 668 + 38);
    EXPECT_EQ(StatusWindowBox({4500, 10021}, 900, 240, kScreen, WholeOf(kScreen)).y, 668 - 23);
    EXPECT_EQ(StatusWindowBox({4500, 11400}, 900, 240, kScreen, WholeOf(kScreen)).y, 760 - 23);
}

TEST(StatusWindow, OtherScreenScales)
{
    // 120 DPI: 12 twips per pixel; the label of 100 x 20 pixels is 1200 x 240 twips.
    const ScreenMetrics large{1280 * 12, 1024 * 12, 12, 12};
    const Box box = StatusWindowBox({500 * 12, 400 * 12}, 1200, 240, large, WholeOf(large));
    EXPECT_EQ(box, (Box{500 + 16 - (600 + 30) / 12, 438, 105, 25}));
}

TEST(StatusWindow, WhollyInsideTheWorkAreaCentredUnderThePadWhereThereIsRoom)
{
    // A long label of 120 x 16 pixels at 96 DPI, 180 x 24 at 144; the work
    // area ends above a taskbar at the bottom.
    const ScreenMetrics large{1536 * 10, 960 * 10, 10, 10};
    struct Row {
        ScreenMetrics screen;
        Box work;
        Point pad;  // pixels
        std::int32_t dpi;
        Box expected;
    };
    const Row rows[] = {
        // The four corners, then the middle: centred where there is room.
        {kScreen, {0, 0, 1024, 728}, {0, 0}, 96, {0, 38, 124, 20}},
        {kScreen, {0, 0, 1024, 728}, {990, 0}, 96, {900, 38, 124, 20}},
        {kScreen, {0, 0, 1024, 728}, {0, 694}, 96, {0, 671, 124, 20}},
        {kScreen, {0, 0, 1024, 728}, {990, 694}, 96, {900, 671, 124, 20}},
        {kScreen, {0, 0, 1024, 728}, {500, 300}, 96, {454, 338, 124, 20}},
        // A pad partly off the screen; a tall taskbar: above the pad, not over it.
        {kScreen, {0, 0, 1024, 728}, {-10, 200}, 96, {0, 238, 124, 20}},
        {kScreen, {0, 0, 1024, 600}, {500, 580}, 96, {454, 557, 124, 20}},
        {kScreen, {0, 0, 1024, 668}, {500, 634}, 96, {454, 611, 124, 20}},
        {large, {0, 0, 1536, 912}, {0, 0}, 144, {0, 57, 186, 30}},
        {large, {0, 0, 1536, 912}, {1486, 0}, 144, {1350, 57, 186, 30}},
        {large, {0, 0, 1536, 912}, {0, 862}, 144, {0, 827, 186, 30}},
        {large, {0, 0, 1536, 912}, {1486, 862}, 144, {1350, 827, 186, 30}},
    };
    for (const Row& row : rows) {
        const std::int32_t tpp = row.screen.twipsPerPixelX;
        const Box box = StatusWindowBox({row.pad.x * tpp, row.pad.y * tpp}, 1800, 240, row.screen,
                                        row.work, row.dpi);
        EXPECT_EQ(box, row.expected) << row.pad.x << ',' << row.pad.y << " at " << row.dpi;
    }
}

TEST(StatusWindow, AtThePadsResolutionAndOnItsMonitor)
{
    // 144 DPI, 10 twips per pixel: the distances grow by half, the label's
    // margins of 30 twips are 3 pixels; label 90 x 24 pixels.
    const ScreenMetrics scaled{1536 * 10, 960 * 10, 10, 10};
    EXPECT_EQ(StatusWindowBox({300 * 10, 200 * 10}, 900, 240, scaled, WholeOf(scaled), 144),
              (Box{300 + 24 - (450 + 30) / 10, 200 + 57, 96, 30}));
    // Room below ends 150 pixels above the bottom: 100 designed pixels.
    EXPECT_EQ(StatusWindowBox({3000, 8100}, 900, 240, scaled, WholeOf(scaled), 144).y, 810 + 57);
    EXPECT_EQ(StatusWindowBox({3000, 8101}, 900, 240, scaled, WholeOf(scaled), 144).y, 810 - 35);
    // A monitor below the primary one: its own bottom counts.
    const ScreenMetrics below{1024 * 15, 768 * 15, 15, 15, 0, 768 * 15};
    EXPECT_EQ(StatusWindowBox({4500, (768 + 600) * 15}, 900, 240, below, WholeOf(below)).y, 768 + 600 + 38);
    EXPECT_EQ(StatusWindowBox({4500, (768 + 700) * 15}, 900, 240, below, WholeOf(below)).y, 768 + 700 - 23);
}

TEST(KeyTip, ColumnsAndSeparatorDoNotTouch)
{
    const TipLayout tip = LayOutTip(100, 120, 216);
    EXPECT_EQ(tip.width, 239);
    EXPECT_EQ(tip.height, 226);
    EXPECT_EQ(tip.column1, (Point{4, 4}));
    EXPECT_EQ(tip.column2, (Point{113, 4}));
    EXPECT_EQ(tip.separatorFrom, (Point{109, 2}));
    EXPECT_EQ(tip.separatorTo, (Point{109, 224}));
    // Margins: column 1 ends 5 pixels before the line, column 2 starts 4 after
    // it and ends 6 before the window's right edge.
    EXPECT_LT(tip.column1.x + 100, tip.separatorFrom.x);
    EXPECT_LT(tip.separatorFrom.x, tip.column2.x);
    EXPECT_EQ(tip.width - (tip.column2.x + 120), 6);
    EXPECT_LT(tip.separatorTo.y, tip.height);

    // At 192 DPI every margin is twice as wide.
    const TipLayout large = LayOutTip(200, 240, 432, 192);
    EXPECT_EQ(large.width, 200 + 240 + 38);
    EXPECT_EQ(large.height, 432 + 20);
    EXPECT_EQ(large.column1, (Point{8, 8}));
    EXPECT_EQ(large.column2, (Point{226, 8}));
    EXPECT_EQ(large.separatorFrom, (Point{218, 4}));
    EXPECT_EQ(large.separatorTo, (Point{218, 448}));
}

TEST(KeyTip, PlacedByScreenQuarter)
{
    const std::int32_t w = 239, h = 226;
    const Box whole = WholeOf(kScreen);
    EXPECT_EQ(TipPosition({100, 100}, w, h, kScreen, whole), (Point{100, 120}));
    EXPECT_EQ(TipPosition({900, 100}, w, h, kScreen, whole), (Point{900 - w, 120}));
    EXPECT_EQ(TipPosition({100, 700}, w, h, kScreen, whole), (Point{100, 700 - h - 1}));
    const Point lowerRight = TipPosition({900, 700}, w, h, kScreen, whole);
    EXPECT_EQ(lowerRight.x + w, 900);
    EXPECT_EQ(lowerRight.y + h, 699);
    // The screen's middle belongs to the right and lower halves.
    EXPECT_EQ(TipPosition({512, 384}, w, h, kScreen, whole), (Point{512 - w, 384 - h - 1}));
    EXPECT_EQ(TipPosition({511, 383}, w, h, kScreen, whole), (Point{511, 403}));
    // The quarters are those of the pad's monitor: right of the primary
    // screen, its upper-left quarter; below the pointer by 30 pixels at 144 DPI.
    const ScreenMetrics right{1280 * 15, 1024 * 15, 15, 15, 1024 * 15, 0};
    EXPECT_EQ(TipPosition({1100, 100}, w, h, right, WholeOf(right)), (Point{1100, 120}));
    EXPECT_EQ(TipPosition({1100, 100}, w, h, right, WholeOf(right), 144), (Point{1100, 130}));
    EXPECT_EQ(TipPosition({1664, 512}, w, h, right, WholeOf(right)), (Point{1664 - w, 512 - h - 1}));
    // Off a left taskbar; below the pointer where a tall top taskbar leaves
    // no room above it.
    EXPECT_EQ(TipPosition({26, 100}, w, h, kScreen, {62, 0, 962, 768}), (Point{62, 120}));
    EXPECT_EQ(TipPosition({100, 400}, w, h, kScreen, {0, 300, 1024, 468}), (Point{100, 420}));
}

// Work areas that start anywhere: monitors left of and above the primary
// one, taskbars on every side, a short screen at 150 %, 300 %. The label is
// as tall as 12-point type in Windows' English message font.
TEST(PlacementInTheWorkArea, StatusWindowAndTipStayInsideItOffThePadAndThePointer)
{
    struct Layout {
        const char* name;
        ScreenMetrics screen;
        Box work;
        std::int32_t dpi;
    };
    const Layout layouts[] = {
        {"left taskbar", kScreen, {62, 0, 962, 768}, 96},
        {"top taskbar", kScreen, {0, 48, 1024, 720}, 96},
        {"tall bottom taskbar", kScreen, {0, 0, 1024, 668}, 96},
        {"left of the primary", {1280 * 15, 1024 * 15, 15, 15, -1280 * 15, 0}, {-1280, 0, 1280, 976}, 96},
        {"above, left taskbar", {1280 * 15, 1024 * 15, 15, 15, -200 * 15, -1024 * 15},
         {-152, -1024, 1232, 1024}, 96},
        {"short, left and above", {1024 * 10, 600 * 10, 10, 10, -1024 * 10, -300 * 10},
         {-1024, -300, 1024, 528}, 144},
        {"300 %, top taskbar", {3840 * 5, 2160 * 5, 5, 5, 1024 * 5, -500 * 5},
         {1024, -356, 3840, 2016}, 288},
    };
    const auto within = [](const Box& inner, const Box& outer) {
        return inner.x >= outer.x && inner.y >= outer.y &&
               inner.x + inner.width <= outer.x + outer.width &&
               inner.y + inner.height <= outer.y + outer.height;
    };
    for (const Layout& l : layouts) {
        const std::int32_t tpp = l.screen.twipsPerPixelX;
        const std::int32_t pad = ScaledToDpi(34, l.dpi);
        const Box& w = l.work;
        for (const Point corner : {Point{w.x, w.y}, Point{w.x + w.width - pad, w.y},
                                   Point{w.x, w.y + w.height - pad},
                                   Point{w.x + w.width - pad, w.y + w.height - pad},
                                   Point{w.x + w.width / 2, w.y + w.height / 2}}) {
            const Box status =
                StatusWindowBox({corner.x * tpp, corner.y * tpp}, ScaledToDpi(120, l.dpi) * tpp,
                                ScaledToDpi(21, l.dpi) * tpp, l.screen, w, l.dpi);
            EXPECT_TRUE(within(status, w)) << l.name << ' ' << corner.x << ',' << corner.y;
            EXPECT_TRUE(status.y >= corner.y + pad || status.y + status.height <= corner.y)
                << l.name << ' ' << corner.x << ',' << corner.y;
            const Point pointer{corner.x + pad / 2, corner.y + pad / 2};
            const std::int32_t tipWidth = ScaledToDpi(239, l.dpi);
            const std::int32_t tipHeight = ScaledToDpi(340, l.dpi);
            const Point at = TipPosition(pointer, tipWidth, tipHeight, l.screen, w, l.dpi);
            const Box tip{at.x, at.y, tipWidth, tipHeight};
            EXPECT_TRUE(within(tip, w)) << l.name << ' ' << pointer.x << ',' << pointer.y;
            EXPECT_FALSE(tip.Contains(pointer.x, pointer.y)) << l.name << ' ' << pointer.x << ','
                                                             << pointer.y;
        }
    }
}

TEST(KeyTip, ColumnTextsListAllKeySlots)
{
    std::vector<std::int32_t> asked;
    auto caption = [&](std::int32_t slot) {
        asked.push_back(slot);
        return L"cmd" + std::to_wstring(slot);
    };
    const std::vector<std::wstring> first = Lines(TipColumnText(0, kJapaneseDigitMarks, caption));
    const std::vector<std::wstring> second = Lines(TipColumnText(1, kJapaneseDigitMarks, caption));
    ASSERT_EQ(first.size(), 18u);
    ASSERT_EQ(second.size(), 18u);
    EXPECT_EQ(first.front(), L"A[a]\tcmd0");
    EXPECT_EQ(first.back(), L"R[r]\tcmd17");
    EXPECT_EQ(second.front(), L"S[s]\tcmd18");
    EXPECT_EQ(second[8], L"0\tcmd26");
    EXPECT_EQ(second[9], L"1[!]\tcmd27");
    EXPECT_EQ(second.back(), L"9[)]\tcmd35");
    ASSERT_EQ(asked.size(), 36u);
    for (std::int32_t i = 0; i < 36; ++i)
        EXPECT_EQ(asked[i], i);
    // A US keyboard's marks, and a key that types nothing with Shift.
    DigitMarks us = {L')', L'!', L'@', L'#', L'$', L'%', L'^', L'&', L'*', L'('};
    us[5] = L'\0';
    const std::vector<std::wstring> marked = Lines(TipColumnText(1, us, caption));
    EXPECT_EQ(marked[8], L"0[)]\tcmd26");
    EXPECT_EQ(marked[13], L"5\tcmd31");
    EXPECT_EQ(marked[17], L"9[(]\tcmd35");
}

TEST(KeyTip, EmptyCaptionsKeepTheTabAndNoTrailingBreak)
{
    const std::wstring text =
        TipColumnText(1, kJapaneseDigitMarks, [](std::int32_t) { return std::wstring(); });
    EXPECT_EQ(text.substr(0, 10), L"S[s]\t\r\nT[t");
    EXPECT_EQ(text.substr(text.size() - 5), L"9[)]\t");
}
