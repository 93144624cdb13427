// The status window during a gesture, and the key-list tip on a resting pointer.

#include <windows.h>

#include "tests/pad/pad_fixture.h"

namespace {

RECT RectOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

class PopupTest : public PadTest {
protected:
    // A pad that is active, whose tip timer ticks only when the test says
    // and reads the test's clock.
    void StartActivePad()
    {
        StartPad();
        pad->Input().SetClock([this] { return now; });
        SetForegroundWindow(pad->Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == pad->Handle(); }, 5000));
        pad->tmrTip.SetEnabled(false);
    }
    void PutPadAt(int left, int top)
    {
        pad->Move(static_cast<float>(left * 15), static_cast<float>(top * 15));
    }
    // The pointer on the pad's centre, and one tick to take notice.
    POINT PointAtPad()
    {
        const POINT centre = PadCentre();
        SetCursorPos(centre.x, centre.y);
        pad->tmrTip_Timer();
        return centre;
    }
    void Tick(std::uint32_t afterMs)
    {
        now += afterMs;
        pad->tmrTip_Timer();
    }
    bool TipShown() const { return pad->TipWindow.Visible(); }

    std::uint32_t now = 100000;
    ProbeLogScope log{folder.Path()};
};

}  // namespace

TEST_F(PopupTest, TheStatusWindowIsCentredBelowThePadOrAboveItNearTheScreenBottom)
{
    BindProbe(*AppSettings->Drags().Item(3), L"右へ & 進む");
    StartActivePad();
    const HWND status = pad->StatusWindow.hWnd();

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 40, 16);
    ASSERT_TRUE(pad->StatusWindow.Visible());
    wchar_t text[64] = L"";
    GetWindowTextW(pad->StatusWindow.lblInfo(), text, 64);
    EXPECT_STREQ(text, L"右へ & 進む");
    RECT box = RectOf(status);
    const RECT padBox = PadRect();
    EXPECT_EQ(box.top, padBox.top + 38);
    EXPECT_LE(std::abs((box.left + box.right) / 2 - (padBox.left + 17)), 1);
    EXPECT_TRUE(GetWindowLongPtrW(status, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The pad keeps the activation during the gesture.
    EXPECT_EQ(GetActiveWindow(), pad->Handle());

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(pad->StatusWindow.lblInfo(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, -16);  // 12 points at 96 dots per inch
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    Mouse(WM_RBUTTONUP, 0, 16, 90);  // an empty slot
    EXPECT_FALSE(pad->StatusWindow.IsLoaded());

    // 99 pixels above the screen's bottom: above the pad.
    PutPadAt(300, ScreenHeight() - 99);
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 16, 16);
    box = RectOf(pad->StatusWindow.Handle());
    EXPECT_EQ(box.top, PadRect().top - 23);
    Mouse(WM_RBUTTONUP, 0, 16, -60);
}

TEST_F(PopupTest, TheTipShowsBesideThePointerTowardsTheMiddleOfTheScreenInEachQuarter)
{
    StartActivePad();
    const int right = ScreenWidth() - 150;
    const int bottom = ScreenHeight() - 150;
    struct Quarter {
        int padLeft, padTop;
        bool endsAtPointerX, abovePointer;
    } quarters[] = {{100, 100, false, false}, {right, 100, true, false},
                    {100, bottom, false, true}, {right, bottom, true, true}};
    for (const Quarter& quarter : quarters) {
        SCOPED_TRACE(::testing::Message() << quarter.padLeft << "," << quarter.padTop);
        PutPadAt(quarter.padLeft, quarter.padTop);
        const POINT pointer = PointAtPad();
        EXPECT_FALSE(TipShown());
        Tick(1001);
        ASSERT_TRUE(TipShown());
        const RECT tip = RectOf(pad->TipWindow.Handle());
        EXPECT_EQ(quarter.endsAtPointerX ? tip.right : tip.left, pointer.x);
        EXPECT_EQ(quarter.abovePointer ? tip.bottom : tip.top,
                  quarter.abovePointer ? pointer.y - 1 : pointer.y + 20);
    }
    // Shown beside the pad, which keeps the keys.
    EXPECT_EQ(GetWindow(pad->TipWindow.Handle(), GW_OWNER), pad->Handle());
    EXPECT_EQ(GetFocus(), pad->Handle());
    RECT client{};
    GetClientRect(pad->TipWindow.Handle(), &client);
    EXPECT_EQ(pad->TipWindow.GetPicture().Size().cx, client.right);
    EXPECT_EQ(pad->TipWindow.GetPicture().Size().cy, client.bottom);

    // Not at all without the option.
    AppSettings->PopupStatus = false;
    Key(WM_KEYDOWN, VK_F1);
    Tick(5000);
    EXPECT_FALSE(TipShown());
}
