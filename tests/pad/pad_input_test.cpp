// The pad's input rules against a pad that records what it is asked to do.

#include "pad/pad_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;

class RecordingPad : public PadActions {
public:
    bool swapButtons = false;
    bool activeStyle = false;
    bool tipWanted = true;
    bool active = true;
    std::optional<Point> pointer = Point{500, 400};
    bool tipVisible = false;
    bool timerRunning = false;
    // The system's watch for the pointer leaving the pad, which polls under Wine.
    bool leaveWatched = false;
    bool animationActive = false;
    // Runs while the command menu is open.
    std::function<void()> inMenu;
    std::vector<std::string> calls;

    // What was asked since the last look.
    std::vector<std::string> Calls() { return std::exchange(calls, {}); }

    bool SwapButtons() const override { return swapButtons; }
    bool ActiveStyle() const override { return activeStyle; }
    bool TipWanted() const override { return tipWanted; }
    std::int32_t ClientSize() const override { return 32; }
    Point Corner() override { return {100, 200}; }
    ScreenMetrics Screen() const override { return {}; }  // 15 twips per pixel
    void MoveCornerTo(Point twips, const ScreenMetrics&) override
    {
        Record("move " + Text(twips));
    }
    void BeginAnimation(Point corner) override
    {
        animationActive = true;
        Record("begin animation " + Text(corner));
    }
    void EndAnimation() override
    {
        animationActive = false;
        Record("end animation");
    }
    bool AnimationActive() const override { return animationActive; }
    void ShiftMoveFrame(Point to) override { Record("frame " + Text(to)); }
    void SetAnimationDirection(std::int32_t d) override { Record("sector " + std::to_string(d)); }
    void ShowStatus(std::int32_t d) override { Record("status " + std::to_string(d)); }
    void HideStatusWindow() override { Record("hide status"); }
    void UnloadStatus() override { Record("unload status"); }
    void PrepareLaunch() override { Record("prepare"); }
    void LaunchDrag(std::int32_t d) override { Record("drag " + std::to_string(d)); }
    void LaunchKey(std::int32_t slot) override { Record("key " + std::to_string(slot)); }
    void Beep() override { Record("beep"); }
    void ShowCommandMenu(bool& menuOpen) override
    {
        Record("menu");
        menuOpen = true;
        if (inMenu)
            inMenu();
        menuOpen = false;
    }
    bool PadActive() const override { return active; }
    std::optional<Point> PointerOnPad() const override { return pointer; }
    bool TipVisible() const override { return tipVisible; }
    void ShowTip(Point at) override
    {
        tipVisible = true;
        Record("tip " + Text(at));
    }
    void HideTip() override
    {
        tipVisible = false;
        Record("hide tip");
    }
    void StartTipTimer() override { timerRunning = leaveWatched = true; }
    void StopTipTimer(bool endWatch) override
    {
        timerRunning = false;
        leaveWatched = leaveWatched && !endWatch;
    }

private:
    static std::string Text(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    void Record(std::string call) { calls.push_back(std::move(call)); }
};

using Calls = std::vector<std::string>;

class PadInputTest : public ::testing::Test {
protected:
    // Ticks of the tip's timer, `afterMs` after the last one.
    void Tick(std::uint32_t afterMs)
    {
        now += afterMs;
        input.TipTimer();
    }

    RecordingPad pad;
    std::uint32_t now = 100000;
    PadInput input{pad, [this] { return now; }};
};

}  // namespace

TEST_F(PadInputTest, AGestureShowsEachDirectionsCaptionAndItsReleaseLaunchesOrOpensTheMenu)
{
    input.MouseDown(kRight, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Gesture);
    input.MouseMove(kRight, 32, 16);  // one pixel right of the pad
    input.MouseMove(kRight, 16, -1);
    input.MouseUp(16, -1);
    EXPECT_EQ(input.Mode(), PadMode::Idle);
    EXPECT_EQ(pad.Calls(), (Calls{"prepare", "begin animation 100,200", "status 3", "status 1",
                                  "hide status", "end animation", "drag 1", "unload status"}));

    // Released over the pad: the menu, never the menu slot's command.
    pad.activeStyle = true;
    input.MouseDown(kRight, 16, 16);
    input.MouseMove(kRight, 40, 40);
    input.MouseUp(31, 31);
    EXPECT_EQ(pad.Calls(), (Calls{"prepare", "begin animation 100,200", "sector 4", "hide status",
                                  "end animation", "menu", "unload status"}));
}

TEST_F(PadInputTest, ASecondButtonCancelsUntilAMoveWithNoButtonHeld)
{
    struct Case {
        int first, second;
    };
    for (const Case c : {Case{kRight, kLeft}, Case{kLeft, kRight}, Case{kRight, kMiddle}}) {
        SCOPED_TRACE(::testing::Message() << c.first << " then " << c.second);
        input.MouseDown(c.first, 16, 16);
        pad.Calls();
        input.MouseDown(c.first | c.second, 60, 16);
        EXPECT_EQ(input.Mode(), PadMode::Cancelled);
        EXPECT_EQ(pad.Calls(), (Calls{"unload status", "end animation"}));
        // Neither release nor a move with a button still held does anything.
        input.MouseUp(60, 16);
        input.MouseMove(c.second, 60, 60);
        input.MouseUp(60, 60);
        EXPECT_EQ(input.Mode(), PadMode::Cancelled);
        EXPECT_TRUE(pad.Calls().empty());
        input.MouseMove(0, 60, 60);
        EXPECT_EQ(input.Mode(), PadMode::Idle);
    }
    // The next gesture works.
    input.MouseDown(kRight, 16, 16);
    input.MouseUp(16, 60);
    EXPECT_EQ(pad.Calls().at(4), "drag 5");
}

TEST_F(PadInputTest, SwappedButtonsExchangeMovingAndGesturesAndTheMiddleButtonDoesNeither)
{
    pad.swapButtons = true;
    input.MouseDown(kLeft, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Gesture);
    input.MouseUp(16, 16);
    input.MouseDown(kRight, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Moving);
    input.MouseUp(16, 16);
    input.MouseDown(kMiddle, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Idle);
    // The cancel waits for no button at all, whichever is mapped to which.
    input.MouseDown(kRight, 16, 16);
    input.MouseDown(kRight | kLeft, 16, 16);
    input.MouseMove(kLeft, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Cancelled);
    input.MouseMove(0, 16, 16);
    EXPECT_EQ(input.Mode(), PadMode::Idle);
}

TEST_F(PadInputTest, AMoveFollowsLiveOrWithTheAnimationMovesTheFrameAndDropsThePadOnRelease)
{
    // The pad's corner at (100, 200) pixels, 15 twips each.
    input.MouseDown(kLeft, 10, 10);
    input.MouseMove(kLeft, 30, 25);
    input.MouseUp(30, 25);
    EXPECT_EQ(pad.Calls(), (Calls{"move 1800,3225"}));

    pad.activeStyle = true;
    input.MouseDown(kLeft, 10, 10);
    input.MouseMove(kLeft, 40, 30);
    input.MouseMove(kLeft, 41, 30);
    input.MouseUp(40, 30);
    EXPECT_EQ(pad.Calls(), (Calls{"begin animation 100,200", "frame 130,220", "frame 131,220",
                                  "end animation", "move 1950,3300"}));
}

TEST_F(PadInputTest, KeysLaunchTheirSlotsWhenIdleAndTheMenuKeysOpenTheMenuOnRelease)
{
    input.KeyDown('A');
    input.KeyDown('9');
    input.KeyDown(112);  // F1: no slot
    input.KeyUp(93, 0);  // the Applications key
    input.KeyUp(121, 0);
    input.KeyUp(121, 1);  // Shift+F10
    EXPECT_EQ(pad.Calls(), (Calls{"key 0", "key 35", "menu", "menu"}));

    input.MouseDown(kRight, 16, 16);
    pad.Calls();
    input.KeyDown('A');
    input.KeyUp(93, 0);
    EXPECT_EQ(pad.Calls(), (Calls{"beep"}));
}

TEST_F(PadInputTest, TheTipNeedsMoreThanASecondsRestAndTheOptionAndGoesOnAMovePressOrKey)
{
    Tick(0);  // the pointer arrives
    Tick(1000);
    EXPECT_FALSE(pad.tipVisible);
    Tick(1);
    EXPECT_EQ(pad.Calls(), (Calls{"tip 500,400"}));
    Tick(5000);  // shown once
    EXPECT_TRUE(pad.Calls().empty());

    for (const std::function<void()>& interrupt :
         std::vector<std::function<void()>>{[&] { input.KeyDown(112); },
                                            [&] { input.MouseDown(kMiddle, 16, 16); },
                                            [&] { pad.pointer = Point{501, 400}; }}) {
        Tick(2000);
        ASSERT_TRUE(pad.tipVisible);
        interrupt();
        Tick(0);
        EXPECT_FALSE(pad.tipVisible);
        // However long the pointer lay still before, the rest starts again.
        Tick(1000);
        EXPECT_FALSE(pad.tipVisible);
        Tick(1);
        EXPECT_TRUE(pad.tipVisible);
        input.KeyDown(112);
    }

    // Across the tick count's wrap after 49.7 days.
    now = 0xFFFFFE00u;
    input.KeyDown(112);
    Tick(1001);
    EXPECT_TRUE(pad.tipVisible);

    input.KeyDown(112);
    pad.tipWanted = false;
    Tick(5000);
    EXPECT_FALSE(pad.tipVisible);
}

TEST_F(PadInputTest, TheTipStaysAwayDuringAGestureAMoveAndAnOpenMenuAndTheRestStartsAgain)
{
    Tick(0);
    const std::vector<std::function<void()>> busy = {
        [&] {
            input.MouseDown(kRight, 16, 16);
            Tick(5000);
            EXPECT_FALSE(pad.tipVisible);
            input.MouseUp(16, 60);
        },
        [&] {
            input.MouseDown(kLeft, 16, 16);
            Tick(5000);
            EXPECT_FALSE(pad.tipVisible);
            input.MouseUp(16, 16);
        },
        [&] {
            pad.inMenu = [&] {
                Tick(5000);
                EXPECT_FALSE(pad.tipVisible);
            };
            input.KeyUp(93, 0);
            pad.inMenu = nullptr;
        },
    };
    for (const std::function<void()>& during : busy) {
        Tick(500);
        during();
        Tick(1000);
        EXPECT_FALSE(pad.tipVisible);
        Tick(1);
        EXPECT_TRUE(pad.tipVisible);
        input.KeyDown(112);
    }
}

TEST_F(PadInputTest, TheTipsTimerRunsOnlyWhileThePadIsActiveAndThePointerOnIt)
{
    input.ActivateChanged(true);
    EXPECT_TRUE(pad.timerRunning);
    EXPECT_TRUE(pad.leaveWatched);
    input.ActivateChanged(false);
    EXPECT_FALSE(pad.timerRunning);
    EXPECT_FALSE(pad.leaveWatched);

    // A move over the active pad starts it; one beside it or over an inactive pad does not.
    pad.active = false;
    input.MouseMove(0, 16, 16);
    EXPECT_FALSE(pad.timerRunning);
    pad.active = true;
    input.MouseMove(0, 32, 16);
    EXPECT_FALSE(pad.timerRunning);
    input.MouseMove(0, 31, 0);
    EXPECT_TRUE(pad.timerRunning);

    // The pointer leaves: the tip goes, and so does the timer.
    Tick(0);
    Tick(1001);
    ASSERT_TRUE(pad.tipVisible);
    input.PointerLeft();
    EXPECT_FALSE(pad.tipVisible);
    EXPECT_FALSE(pad.timerRunning);

    // A tick that finds the pointer elsewhere, or the pad inactive, stops it too.
    input.ActivateChanged(true);
    pad.pointer.reset();
    Tick(55);
    EXPECT_FALSE(pad.timerRunning);
    input.ActivateChanged(true);
    pad.active = false;
    Tick(55);
    EXPECT_FALSE(pad.timerRunning);
    EXPECT_FALSE(pad.leaveWatched);
}
