// The pad's pointer and key input, driven by the messages real input produces.

#include <windows.h>

#include "forms/display_dpi.h"
#include "forms/screen.h"
#include "forms/window_name.h"
#include "tests/pad/pad_fixture.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/modal_script.h"

namespace {

class GestureTest : public PadTest {
protected:
    // The menu library is loaded from the program's folder.
    void SetUp() override
    {
        PadTest::SetUp();
        AppFolder = BuildFolder();
    }
    ShellCommand& Drag(int d) { return *AppSettings->Drags().Item(d); }
    ShellCommand& KeySlot(int slot) { return *AppSettings->Keys().Item(slot); }
    std::wstring StatusText() const
    {
        wchar_t text[256] = L"";
        GetWindowTextW(pad->StatusWindow.lblInfo(), text, 256);
        return text;
    }

    // The probe has started once, for the command tagged so.
    void ExpectOneLaunch(const std::wstring& tag)
    {
        const std::vector<ProbeRecord> records = log.WaitFor(1);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_TRUE(Launched(records[0], tag));
    }

    ProbeLogScope log{folder.Path()};
    MenuDriver menus;
};

}  // namespace

TEST_F(GestureTest, AGestureReleasedOverThePadShowsTheMenuCaptionThenOpensTheMenu)
{
    StartPad();
    // In the lower right corner of the last monitor's work area (where the
    // run has several, one left of and above the primary), the pointer on
    // the pad: the menu opens there, wholly inside that work area.
    const Box last = DisplayMonitors().back();
    const RECT work = WorkAreaNear(RECT{last.x, last.y, last.x + last.width, last.y + last.height});
    SetWindowPos(pad->Handle(), nullptr, work.right - 40, work.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursorPos(work.right - 24, work.bottom - 24);
    menus.Watch(pad->Handle());
    std::vector<std::wstring> shown;
    RECT menu{};
    bool openFlag = false;
    menus.Then([&](MenuDriver& d) {
        shown = d.Innermost().Texts();
        menu = d.Innermost().bounds;
        openFlag = pad->Input().MenuOpen();
        d.Press(VK_ESCAPE);
    });

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    EXPECT_EQ(pad->Input().Mode(), PadMode::Gesture);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 31, 0);
    EXPECT_TRUE(pad->StatusWindow.Visible());
    EXPECT_EQ(StatusText(), L"メニュー");
    Mouse(WM_RBUTTONUP, 0, 31, 0);

    EXPECT_TRUE(menus.AllStepsRan());
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.back(), kBuiltInCaptions[2]);
    EXPECT_TRUE(menu.left >= work.left && menu.top >= work.top && menu.right <= work.right &&
                menu.bottom <= work.bottom);
    EXPECT_TRUE(openFlag);
    EXPECT_FALSE(pad->Input().MenuOpen());
    EXPECT_EQ(pad->Input().Mode(), PadMode::Idle);
    EXPECT_FALSE(pad->StatusWindow.IsLoaded());
    EXPECT_TRUE(log.Records().empty());
}

TEST_F(GestureTest, LeavingThePadByOnePixelToTheRightLaunchesTheRightwardCommand)
{
    BindProbe(Drag(3), L"right");
    BindProbe(Drag(4), L"lower-right");
    StartPad();

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 32, 16);
    EXPECT_EQ(StatusText(), L"right");
    Mouse(WM_RBUTTONUP, 0, 32, 16);

    EXPECT_EQ(pad->Input().Mode(), PadMode::Idle);
    EXPECT_FALSE(pad->StatusWindow.IsLoaded());
    ExpectOneLaunch(L"right");
}

TEST_F(GestureTest, TheMoveButtonDragsThePadAndSwappedButtonsExchangeTheRoles)
{
    BindProbe(Drag(7), L"left");
    StartPad();
    const RECT start = PadRect();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 30, 25);  // the pad follows live
    EXPECT_EQ(PadRect().left, start.left + 20);
    EXPECT_EQ(PadRect().top, start.top + 15);
    Mouse(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(pad->Input().Mode(), PadMode::Idle);

    AppSettings->SwapButtons = true;
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
    EXPECT_EQ(pad->Input().Mode(), PadMode::Gesture);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, -1, 16);
    EXPECT_EQ(StatusText(), L"left");
    Mouse(WM_LBUTTONUP, 0, -1, 16);
    ExpectOneLaunch(L"left");
}

TEST_F(GestureTest, WithTheDragAnimationTheFrameMovesAndThePadJumpsOnRelease)
{
    AppSettings->ActiveStyle = true;
    BindProbe(Drag(5), L"down");
    StartPad();
    const RECT start = PadRect();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 40, 30);
    EXPECT_TRUE(pad->Animation.AnimationActive());
    EXPECT_EQ(PadRect().left, start.left);
    Mouse(WM_LBUTTONUP, 0, 40, 30);
    EXPECT_FALSE(pad->Animation.AnimationActive());
    EXPECT_EQ(PadRect().left, start.left + 30);
    EXPECT_EQ(PadRect().top, start.top + 20);

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 16, 32);
    EXPECT_EQ(pad->Animation.CurrentDirection(), 5);
    EXPECT_FALSE(pad->StatusWindow.Visible());
    Mouse(WM_RBUTTONUP, 0, 16, 32);
    EXPECT_FALSE(pad->Animation.AnimationActive());
    ExpectOneLaunch(L"down");
}

TEST_F(GestureTest, KeysLaunchTheirSlotsButNotDuringAGesture)
{
    BindProbe(KeySlot(0), L"A");
    BindProbe(KeySlot(35), L"digit9");
    StartPad();

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Key(WM_KEYDOWN, 'A');
    Key(WM_KEYUP, 'A');
    EXPECT_EQ(pad->Input().Mode(), PadMode::Gesture);
    Mouse(WM_RBUTTONUP, 0, 16, 80);  // an empty drag slot: nothing starts

    for (UINT key : {UINT{'A'}, UINT{VK_NUMPAD9}}) {
        Key(WM_KEYDOWN, key);
        Key(WM_KEYUP, key);
    }
    const std::vector<ProbeRecord> records = log.WaitFor(2, 20000);
    ASSERT_EQ(records.size(), 2u);
    // Each started before the next key, but they may write in any order.
    for (const std::wstring tag : {L"A", L"digit9"})
        EXPECT_EQ(std::count_if(records.begin(), records.end(),
                                [&](const ProbeRecord& r) { return Launched(r, tag); }),
                  1)
            << ::testing::PrintToString(tag);
}

TEST_F(GestureTest, TheApplicationsKeyAndShiftF10OpenTheMenuOnReleaseOnly)
{
    StartPad();
    menus.Watch(pad->Handle());
    int opened = 0;
    for (int i = 0; i < 2; ++i)
        menus.Then([&](MenuDriver& d) {
            ++opened;
            d.Press(VK_ESCAPE);
        });

    Key(WM_KEYDOWN, VK_APPS);
    EXPECT_EQ(opened, 0);
    Key(WM_KEYUP, VK_APPS);
    EXPECT_EQ(opened, 1);

    Key(WM_SYSKEYDOWN, VK_F10);  // F10 alone
    Key(WM_SYSKEYUP, VK_F10);
    EXPECT_EQ(opened, 1);
    {
        HeldKeys shift({VK_SHIFT});
        Key(WM_SYSKEYDOWN, VK_F10);
        EXPECT_EQ(opened, 1);
        Key(WM_SYSKEYUP, VK_F10);
    }
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(menus.AllStepsRan());
}

TEST_F(GestureTest, ADoubleClickRunsTheChosenActionAndExitFromTheMenuEndsThePadSafely)
{
    BindProbe(Drag(0), L"desktop");
    AppSettings->DblClickCommand = 1;
    StartPad();
    Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, 16, 16);
    Mouse(WM_LBUTTONUP, 0, 16, 16);
    ExpectOneLaunch(L"desktop");
    EXPECT_TRUE(pad->IsLoaded());

    // Exit chosen in the menu that a gesture opened: the pad goes once the
    // release has been handled.
    menus.Watch(pad->Handle());
    menus.Then([](MenuDriver& d) { d.Choose(kBuiltInCaptions[2]); });
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_RBUTTONUP, 0, 16, 16);
    EXPECT_TRUE(menus.AllStepsRan());
    EXPECT_TRUE(pad->IsLoaded());
    EXPECT_TRUE(PumpUntil([&] { return !pad->IsLoaded(); }, 5000));
    EXPECT_FALSE(pad->StatusWindow.IsLoaded());
    EXPECT_FALSE(pad->TipWindow.IsLoaded());
}

TEST_F(GestureTest, TheSettingsActionClosesThePopupsOpensTheDialogAndRecompilesTheMenu)
{
    AppSettings->DblClickCommand = 2;
    StartPad();
    pad->StatusWindow.ShowStatus(L"x");
    ASSERT_NE(pad->MenuTable, nullptr);
    ASSERT_EQ(pad->MenuTable->Count(), 0);  // no menu entries yet

    bool popupsLoaded = true;
    ModalScript script(
        {[&] {
            const HWND dialog = FindNamedWindow(L"cDlgSettings");
            popupsLoaded = pad->StatusWindow.IsLoaded() || pad->TipWindow.IsLoaded();
            AppSettings->Menus().Add(-1)->Caption = L"メモ帳";
            SendMessageW(dialog, WM_CLOSE, 0, 0);
        }},
        [] {
            ADD_FAILURE() << "the dialog stayed open";
            SendMessageW(FindNamedWindow(L"cDlgSettings"), WM_CLOSE, 0, 0);
        });
    Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, 16, 16);
    Mouse(WM_LBUTTONUP, 0, 16, 16);

    EXPECT_EQ(script.StepsRun(), 1u);
    EXPECT_FALSE(popupsLoaded);
    EXPECT_EQ(pad->MenuTable->Count(), 1);
}
