// The drag animation as the pad drives it: real pointer messages on a pad
// with the option on, and what reaches the screen.

#include <windows.h>

#include "tests/pad/pad_fixture.h"
#include "tests/pad/screen_capture.h"

namespace {

class PadAnimationTest : public PadTest {
protected:
    void SetUp() override
    {
        PadTest::SetUp();
        AppSettings->ActiveStyle = true;
        BindProbe(*AppSettings->Drags().Item(3), L"right");
        BindProbe(*AppSettings->Drags().Item(4), L"lowerright");
        StartPad();
        SettleScreen();
    }
    Point Corner() const
    {
        const RECT rect = PadRect();
        return {rect.left, rect.top};
    }

    ProbeLogScope log{folder.Path()};
};

}  // namespace

TEST_F(PadAnimationTest, GesturesDrawTheirSectorAndCaptionAndLeaveNoTrace)
{
    const Point corner = Corner();
    const ScreenImage before = CaptureScreen();

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    ASSERT_TRUE(pad->Animation.AnimationActive());
    const ScreenImage menu = CaptureScreen();
    const ScreenChange menuChange = ChangeBetween(before, menu);
    EXPECT_GT(menuChange.pixels, 0);
    EXPECT_GE(menuChange.bounds.y, corner.y + 48);  // the menu caption, below the pad

    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 60, 16);
    EXPECT_EQ(pad->Animation.CurrentDirection(), 3);
    const ScreenImage right = CaptureScreen();
    EXPECT_TRUE(Inverted(before, right, corner.x + 150, corner.y + 17));
    EXPECT_EQ(right.At(corner.x - 150, corner.y + 17), before.At(corner.x - 150, corner.y + 17));
    for (int i = 0; i < 4; ++i) {
        Mouse(WM_MOUSEMOVE, MK_RBUTTON, 60, 40);  // lower right
        Mouse(WM_MOUSEMOVE, MK_RBUTTON, 60, 16);
    }
    EXPECT_EQ(CaptureScreen(), right);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 20, 20);
    EXPECT_EQ(CaptureScreen(), menu);

    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 60, 40);
    Mouse(WM_RBUTTONUP, 0, 60, 40);
    EXPECT_FALSE(pad->Animation.AnimationActive());
    EXPECT_EQ(CaptureScreen(), before);
    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(Launched(records[0], L"lowerright"));

    // Cancelled by the other button: erased at once, nothing launched.
    SettleScreen();
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 60, 16);
    Mouse(WM_LBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, 60, 16);
    EXPECT_FALSE(pad->Animation.AnimationActive());
    EXPECT_EQ(CaptureScreen(), before);
    Mouse(WM_RBUTTONUP, MK_LBUTTON, 60, 16);
    Mouse(WM_LBUTTONUP, 0, 60, 16);
    Mouse(WM_MOUSEMOVE, 0, 60, 16);
    EXPECT_EQ(pad->Input().Mode(), PadMode::Idle);
    EXPECT_EQ(pad->Animation.CurrentDirection(), 0);
    EXPECT_EQ(log.Records().size(), 1u);
}

TEST_F(PadAnimationTest, MovingThePadDrawsOnlyTheFrameUntilTheRelease)
{
    const Point start = Corner();
    const ScreenImage before = CaptureScreen();

    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 125, 85);
    const Point frame{start.x + 120, start.y + 80};
    EXPECT_EQ(pad->Animation.FramePos(), frame);
    EXPECT_EQ(Corner(), start);
    const ScreenImage moving = CaptureScreen();
    EXPECT_TRUE(Inverted(before, moving, frame.x, frame.y + 17));       // the frame's outline
    EXPECT_TRUE(Inverted(before, moving, frame.x + 9, frame.y - 1));    // the start of a ray
    EXPECT_TRUE(Inverted(before, moving, frame.x + 34, frame.y + 24));  // and of another
    EXPECT_EQ(moving.At(start.x + 17, start.y + 17), before.At(start.x + 17, start.y + 17));  // the pad

    Mouse(WM_LBUTTONUP, 0, 125, 85);
    EXPECT_FALSE(pad->Animation.AnimationActive());
    EXPECT_EQ(Corner(), frame);
    SettleScreen();
    const ScreenImage after = CaptureScreen();
    // The rays are gone; the pad itself now covers the frame's outline.
    EXPECT_EQ(after.At(frame.x + 9, frame.y - 1), before.At(frame.x + 9, frame.y - 1));
    EXPECT_EQ(after.At(frame.x + 34, frame.y + 24), before.At(frame.x + 34, frame.y + 24));
}

TEST_F(PadAnimationTest, OnAMonitorOfAnotherResolutionTheFiguresGrowWithThePad)
{
    const ScreenImage before = CaptureScreen();
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    const ScreenChange small = ChangeBetween(before, CaptureScreen());
    Mouse(WM_LBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, 16, 16);
    Mouse(WM_LBUTTONUP, MK_RBUTTON, 16, 16);
    Mouse(WM_RBUTTONUP, 0, 16, 16);
    Mouse(WM_MOUSEMOVE, 0, 16, 16);
    ASSERT_EQ(CaptureScreen(), before);

    // The pad has come onto a monitor at 144 DPI (as the system tells it).
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    RECT suggested = PadRect();
    SendMessageW(pad->Handle(), kDpiChanged, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(pad->PadWidth, 50);
    SettleScreen();
    const Point corner = Corner();
    const ScreenImage larger = CaptureScreen();
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 24, 24);
    const ScreenChange caption = ChangeBetween(larger, CaptureScreen());
    // The menu's caption in type half as large again, 72 pixels below the corner.
    EXPECT_GE(caption.bounds.y, corner.y + 72);
    EXPECT_GE(caption.bounds.height * 10, small.bounds.height * 14);
    EXPECT_GE(caption.bounds.width * 10, small.bounds.width * 14);
    // Rightwards from the larger pad's centre, 25 pixels in.
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 80, 24);
    EXPECT_EQ(pad->Animation.CurrentDirection(), 3);
    EXPECT_TRUE(Inverted(larger, CaptureScreen(), corner.x + 150, corner.y + 25));
    Mouse(WM_LBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, 80, 24);
    EXPECT_EQ(CaptureScreen(), larger);
    Mouse(WM_LBUTTONUP, MK_RBUTTON, 80, 24);
    Mouse(WM_RBUTTONUP, 0, 80, 24);
    Mouse(WM_MOUSEMOVE, 0, 80, 24);
}
