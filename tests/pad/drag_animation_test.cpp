#include "pad/drag_animation.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "tests/pad/screen_capture.h"

namespace {

constexpr std::int32_t kPadWidth = 34;
// The pad, well inside the striped window and with room on every side.
constexpr Point kPad{480, 360};
constexpr Box kBackdrop{150, 100, 700, 560};

SIZE CaptionExtent(const std::wstring& text)
{
    SIZE extent{};
    UniqueDc memory(CreateCompatibleDC(nullptr));
    UniqueGdiObject<HFONT> font(CreateFontW(36, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                            OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0,
                                            L"ＭＳ Ｐゴシック"));
    ScopedSelection selected(memory.get(), font.get());
    GetTextExtentPoint32W(memory.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

bool Within(const Box& inner, const Box& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

class DragAnimationTest : public ::testing::Test {
protected:
    bool activeStyle = true;
    bool moving = false;
    bool displayFails = false;
    int displaysOpened = 0;
    std::array<std::wstring, 9> captions = {L"メニュー", L"上", L"右上", L"メモ帳", L"電卓",
                                            L"下",       L"左下", L"エクスプローラ", L"左上"};
    std::unique_ptr<StripedWindow> backdrop;

    void SetUp() override { backdrop = std::make_unique<StripedWindow>(kBackdrop); }
    void TearDown() override { backdrop.reset(); }

    DragAnimationSource Source()
    {
        DragAnimationSource source;
        source.activeStyle = [this] { return activeStyle; };
        source.moving = [this] { return moving; };
        source.padWidth = [] { return kPadWidth; };
        source.caption = [this](std::int32_t d) { return captions.at(static_cast<std::size_t>(d)); };
        source.openDisplay = [this]() -> HDC {
            ++displaysOpened;
            return displayFails ? nullptr : CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
        };
        return source;
    }

    // What the start of a gesture at the pad draws: the menu slot's caption.
    ScreenChange CaptionChange(Point pad)
    {
        DragAnimation animation(Source());
        const ScreenImage before = CaptureScreen();
        animation.BeginAnimation(pad.x, pad.y);
        const ScreenImage during = CaptureScreen();
        animation.EndAnimation();
        EXPECT_EQ(CaptureScreen(), before);
        return ChangeBetween(before, during);
    }
};

}  // namespace

TEST_F(DragAnimationTest, WithTheOptionOffNoDisplayIsOpenedAndNothingIsDrawn)
{
    activeStyle = false;
    const std::int64_t objects = GdiObjectsInUse();
    const ScreenImage before = CaptureScreen();
    {
        DragAnimation animation(Source());
        animation.BeginAnimation(kPad.x, kPad.y);
        animation.SetAnimationDirection(3);
        EXPECT_FALSE(animation.AnimationActive());
        EXPECT_EQ(animation.CurrentDirection(), 0);
        EXPECT_EQ(GdiObjectsInUse(), objects);
        EXPECT_EQ(CaptureScreen(), before);
        animation.EndAnimation();

        moving = true;
        animation.BeginAnimation(kPad.x, kPad.y);
        animation.ShiftMoveFrame(kPad.x + 100, kPad.y + 50);
        EXPECT_FALSE(animation.AnimationActive());
        EXPECT_EQ(CaptureScreen(), before);
        animation.EndAnimation();
    }
    EXPECT_EQ(displaysOpened, 0);
}

TEST_F(DragAnimationTest, GestureAcrossSectorBordersLeavesNoTrace)
{
    const ScreenImage before = CaptureScreen();
    DragAnimation animation(Source());
    animation.BeginAnimation(kPad.x, kPad.y);
    ASSERT_TRUE(animation.AnimationActive());
    EXPECT_EQ(displaysOpened, 1);
    EXPECT_EQ(animation.FramePos(), kPad);

    // The gesture starts with the menu slot's caption, inverted below the pad.
    const ScreenImage menu = CaptureScreen();
    const ScreenChange menuChange = ChangeBetween(before, menu);
    EXPECT_GT(menuChange.pixels, 0);
    EXPECT_TRUE(menuChange.allInverted);
    EXPECT_GE(menuChange.bounds.y, kPad.y + 48);

    animation.SetAnimationDirection(3);
    EXPECT_EQ(animation.CurrentDirection(), 3);
    const ScreenImage right = CaptureScreen();
    EXPECT_TRUE(ChangeBetween(before, right).allInverted);
    EXPECT_TRUE(Inverted(before, right, kPad.x + kPadWidth + 100, kPad.y + 17));  // the right sector
    EXPECT_EQ(right.At(kPad.x - 100, kPad.y + 17), before.At(kPad.x - 100, kPad.y + 17));  // not the left
    EXPECT_EQ(right.At(kPad.x + 17, kPad.y + 17), before.At(kPad.x + 17, kPad.y + 17));  // not the pad

    // Back and forth over the border between right and lower right, then
    // over the pad and to the far side: each state looks as it did before.
    for (int i = 0; i < 5; ++i) {
        animation.SetAnimationDirection(4);
        animation.SetAnimationDirection(3);
    }
    EXPECT_EQ(CaptureScreen(), right);
    animation.SetAnimationDirection(7);
    const ScreenImage left = CaptureScreen();
    EXPECT_TRUE(Inverted(before, left, kPad.x - 100, kPad.y + 17));
    EXPECT_EQ(left.At(kPad.x + kPadWidth + 100, kPad.y + 17), before.At(kPad.x + kPadWidth + 100, kPad.y + 17));
    animation.SetAnimationDirection(0);
    EXPECT_EQ(CaptureScreen(), menu);
    animation.SetAnimationDirection(3);
    EXPECT_EQ(CaptureScreen(), right);

    animation.EndAnimation();
    EXPECT_FALSE(animation.AnimationActive());
    EXPECT_EQ(animation.CurrentDirection(), 0);
    EXPECT_EQ(CaptureScreen(), before);
    SettleScreen();
    EXPECT_EQ(CaptureScreen(), before);
    EXPECT_EQ(displaysOpened, 1);
}

TEST_F(DragAnimationTest, CaptionIsPlacedWhereTheScreenLeavesRoom)
{
    const SIZE menu = CaptionExtent(captions[0]);
    ASSERT_GT(menu.cx, 0);
    const std::int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const std::int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);

    // Room all round: centred below the pad.
    ScreenChange change = CaptionChange(kPad);
    EXPECT_GT(change.pixels, 0);
    EXPECT_TRUE(change.allInverted);
    EXPECT_TRUE(Within(change.bounds, {kPad.x + 16 - menu.cx / 2, kPad.y + 48, menu.cx, menu.cy}));

    // Near the top-left corner: right of and below the pad.
    const Point corner{10, 20};
    change = CaptionChange(corner);
    EXPECT_GT(change.pixels, 0);
    EXPECT_TRUE(Within(change.bounds, {corner.x + 48, corner.y + 48, menu.cx, menu.cy}));

    // Near the bottom edge: above the pad, ending 16 pixels above its top.
    const Point bottom{kPad.x, screenHeight - 60};
    change = CaptionChange(bottom);
    EXPECT_GT(change.pixels, 0);
    EXPECT_TRUE(Within(change.bounds, {bottom.x + 16 - menu.cx / 2, bottom.y - 16 - menu.cy, menu.cx, menu.cy}));

    // Near the right edge: left of the pad, level with it.
    const Point right{screenWidth - 80, kPad.y};
    change = CaptionChange(right);
    EXPECT_GT(change.pixels, 0);
    EXPECT_TRUE(Within(change.bounds, {right.x - menu.cx - 16, right.y + 16 - menu.cy / 2, menu.cx, menu.cy}));
}

TEST_F(DragAnimationTest, MoveFrameFollowsThePointerAndLeavesNoTrace)
{
    moving = true;
    const ScreenImage before = CaptureScreen();
    DragAnimation animation(Source());
    animation.BeginAnimation(kPad.x, kPad.y);
    ASSERT_TRUE(animation.AnimationActive());
    const ScreenImage atPad = CaptureScreen();
    EXPECT_TRUE(Inverted(before, atPad, kPad.x, kPad.y + 17));                  // left edge
    EXPECT_TRUE(Inverted(before, atPad, kPad.x + kPadWidth - 1, kPad.y + 17));  // right edge
    EXPECT_EQ(atPad.At(kPad.x + 17, kPad.y + 17), before.At(kPad.x + 17, kPad.y + 17));
    // A ray leaves the upper-left corner cut towards the upper left.
    EXPECT_TRUE(Inverted(before, atPad, kPad.x - 1, kPad.y + 9));

    const Point to{kPad.x + 200, kPad.y + 40};
    animation.ShiftMoveFrame(to.x, to.y);
    EXPECT_EQ(animation.FramePos(), to);
    const ScreenImage moved = CaptureScreen();
    EXPECT_TRUE(Inverted(before, moved, to.x, to.y + 17));
    EXPECT_TRUE(Inverted(before, moved, to.x + kPadWidth - 1, to.y + 17));
    EXPECT_EQ(moved.At(kPad.x, kPad.y + 17), before.At(kPad.x, kPad.y + 17));
    EXPECT_EQ(moved.At(kPad.x + kPadWidth - 1, kPad.y + 17), before.At(kPad.x + kPadWidth - 1, kPad.y + 17));
    // Gesture operations have no business with a move frame.
    animation.SetAnimationDirection(3);
    EXPECT_EQ(animation.CurrentDirection(), 0);
    EXPECT_EQ(CaptureScreen(), moved);

    animation.ShiftMoveFrame(kPad.x, kPad.y);
    EXPECT_EQ(CaptureScreen(), atPad);
    animation.EndAnimation();
    EXPECT_EQ(CaptureScreen(), before);
}

TEST_F(DragAnimationTest, FiguresAreErasedAsDrawnWhateverHappensMeanwhile)
{
    const ScreenImage before = CaptureScreen();
    {
        // The slot's caption changes while its image is up.
        DragAnimation animation(Source());
        animation.BeginAnimation(kPad.x, kPad.y);
        animation.SetAnimationDirection(3);
        captions[3] = L"まったく別の名前";
        animation.SetAnimationDirection(4);
        captions[4] = L"計算";
        animation.EndAnimation();
        EXPECT_EQ(CaptureScreen(), before);
    }
    {
        // A second beginning without an end (the release went elsewhere)
        // takes the first figure away and closes its display.
        DragAnimation animation(Source());
        animation.BeginAnimation(kPad.x, kPad.y);
        animation.SetAnimationDirection(5);
        animation.BeginAnimation(kPad.x + 60, kPad.y - 40);
        EXPECT_EQ(animation.CurrentDirection(), 0);
        EXPECT_EQ(animation.FramePos(), (Point{kPad.x + 60, kPad.y - 40}));
        animation.EndAnimation();
        EXPECT_EQ(CaptureScreen(), before);
    }
    {
        // The option is switched off during a gesture: the end still erases
        // and closes the display.
        DragAnimation animation(Source());
        animation.BeginAnimation(kPad.x, kPad.y);
        animation.SetAnimationDirection(2);
        activeStyle = false;
        animation.EndAnimation();
        EXPECT_FALSE(animation.AnimationActive());
        EXPECT_EQ(CaptureScreen(), before);
        activeStyle = true;
    }
    {
        // The pad goes away mid-gesture.
        auto animation = std::make_unique<DragAnimation>(Source());
        animation->BeginAnimation(kPad.x, kPad.y);
        animation->SetAnimationDirection(8);
        animation.reset();
        EXPECT_EQ(CaptureScreen(), before);
    }
    EXPECT_EQ(displaysOpened, 5);
}

TEST_F(DragAnimationTest, DisplayThatCannotBeOpenedLeavesTheAnimationOff)
{
    displayFails = true;
    const ScreenImage before = CaptureScreen();
    DragAnimation animation(Source());
    animation.BeginAnimation(kPad.x, kPad.y);
    EXPECT_EQ(displaysOpened, 1);
    EXPECT_FALSE(animation.AnimationActive());
    animation.SetAnimationDirection(3);
    EXPECT_EQ(animation.CurrentDirection(), 0);
    animation.EndAnimation();
    EXPECT_EQ(CaptureScreen(), before);
}

TEST_F(DragAnimationTest, HundredGesturesAndMovesReleaseEveryGdiObject)
{
    DragAnimation animation(Source());
    // One gesture first: the system makes its own lasting objects (font
    // cache, display driver) on first use.
    animation.BeginAnimation(kPad.x, kPad.y);
    animation.SetAnimationDirection(3);
    animation.EndAnimation();
    SettleScreen();
    const ScreenImage before = CaptureScreen();
    const std::int64_t start = GdiObjectsInUse();
    ASSERT_GE(start, 0);

    std::int64_t during = start;
    for (int i = 0; i < 100; ++i) {
        moving = false;
        animation.BeginAnimation(kPad.x, kPad.y);
        for (const std::int32_t d : {1, 2, 3, 4, 3, 0, 7, 6, 5})
            animation.SetAnimationDirection(d);
        if (i == 50)
            during = GdiObjectsInUse();
        animation.EndAnimation();

        moving = true;
        animation.BeginAnimation(kPad.x, kPad.y);
        for (int step = 1; step <= 3; ++step)
            animation.ShiftMoveFrame(kPad.x + 20 * step, kPad.y - 10 * step);
        animation.EndAnimation();
    }
    // The open display is one of the counted objects.
    EXPECT_GT(during, start);
    SettleScreen();
    EXPECT_EQ(GdiObjectsInUse(), start);
    EXPECT_EQ(CaptureScreen(), before);
    EXPECT_EQ(displaysOpened, 201);
}
