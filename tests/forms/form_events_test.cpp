#include <windowsx.h>

#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "forms/win32_callback.h"
#include "tests/forms/recording_form.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/foreign_failures.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }


}  // namespace

TEST(FormEvents, PressesMovesAndReleasesCarryButtonsShiftAndPosition)
{
    RecordingForm form;
    form.Show();
    const HWND window = form.hWnd();

    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, At(5, 7));
    EXPECT_EQ(form.Last(), "down 2 1 5 7");
    EXPECT_EQ(GetCapture(), window);

    // With the pointer held, positions outside the window arrive negative or
    // beyond the client area; moves report every button held.
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON | MK_MBUTTON, At(-3, 400));
    EXPECT_EQ(form.Last(), "move 6 0 -3 400");
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_CONTROL, At(1, 2));
    EXPECT_EQ(form.Last(), "down 1 2 1 2");

    // The capture lasts until the last button is up.
    SendMessageW(window, WM_RBUTTONUP, MK_LBUTTON, At(-20, -30));
    EXPECT_EQ(form.Last(), "up 2 0 -20 -30");
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_LBUTTONUP, 0, At(3, 4));
    EXPECT_EQ(form.Last(), "up 1 0 3 4");
    EXPECT_NE(GetCapture(), window);

    SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, At(0, 0));
    EXPECT_EQ(form.Last(), "down 4 0 0 0");
    SendMessageW(window, WM_MBUTTONUP, 0, At(0, 0));
    EXPECT_EQ(form.Last(), "up 4 0 0 0");
}

TEST(FormEvents, AFormInTwipsReportsPointerAndClientSizeInTwips)
{
    RecordingForm form(L"frmTwips", ScaleMode::Twips);
    form.Load();
    const float tpp = TwipsPerPixelX();
    SendMessageW(form.hWnd(), WM_MOUSEMOVE, 0, At(2, 3));
    std::ostringstream expected;
    expected << "move 0 0 " << 2 * tpp << ' ' << 3 * TwipsPerPixelY();
    EXPECT_EQ(form.Last(), expected.str());
    EXPECT_FLOAT_EQ(form.ScaleWidth(), 40 * tpp);

    RecordingForm pixels(L"frmPixels", ScaleMode::Pixels);
    EXPECT_FLOAT_EQ(pixels.ScaleWidth(), 40.0f);
    EXPECT_FLOAT_EQ(pixels.ScaleHeight(), 30.0f);
}

TEST(FormEvents, ADoubleClickTakesThePlaceOfTheSecondPressOfTheLeftButtonOnly)
{
    RecordingForm form;
    form.Show();
    const HWND window = form.hWnd();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    SendMessageW(window, WM_LBUTTONUP, 0, At(1, 1));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, 1));
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_LBUTTONUP, 0, At(1, 1));
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "activate", "down 1 0 1 1",
                                                     "up 1 0 1 1", "dblclick", "up 1 0 1 1"}));

    SendMessageW(window, WM_RBUTTONDBLCLK, MK_RBUTTON, At(2, 2));
    EXPECT_EQ(form.Last(), "down 2 0 2 2");
    SendMessageW(window, WM_RBUTTONUP, 0, At(2, 2));

    // A failure in a handler ends at the window's edge: one box with the
    // failure's own text, and the form goes on.
    form.onDblClick = [] { throw NumberedError(76, L"パスが見つかりません"); };
    DialogWatcher watcher;
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, 1));
    SendMessageW(window, WM_LBUTTONUP, 0, At(1, 1));
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, L"パスが見つかりません");
    EXPECT_TRUE(IsWindow(window));
}

// Whatever a handler throws ends at the edge it was called from: shown in
// one box (a timer that would fail again at each tick stops), and the form
// and the process go on.
TEST(FormEvents, AFailureOfAnyTypeInAHandlerATimerOrAHookIsShownOnce)
{
    const struct {
        const char* edge;
        std::function<void(RecordingForm&, void (*)())> fail;
    } edges[] = {
        {"handler",
         [](RecordingForm& form, void (*raise)()) {
             form.onDblClick = raise;
             SendMessageW(form.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, 1));
             SendMessageW(form.hWnd(), WM_LBUTTONUP, 0, At(1, 1));
         }},
        {"timer",
         [](RecordingForm& form, void (*raise)()) {
             Timer timer(form, 1);
             timer.OnTimer = raise;
             PumpFor(300);
         }},
        {"hook",
         [](RecordingForm& form, void (*raise)()) {
             Win32CallBack::HookPad(form.hWnd(), [raise](bool) { raise(); });
             SendMessageW(form.hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
             Win32CallBack::UnhookPad();
         }},
    };
    for (const auto& edge : edges) {
        for (const ForeignFailure& failure : ForeignFailures()) {
            RecordingForm form;
            form.Show();
            DialogWatcher watcher;
            edge.fail(form, failure.raise);
            EXPECT_EQ(watcher.Boxes().size(), 1u) << edge.edge << ", " << failure.name;
            EXPECT_TRUE(IsWindow(form.hWnd())) << edge.edge << ", " << failure.name;
        }
    }
}

TEST(FormEvents, KeysCarryTheirCodeAndTheShiftKeysHeld)
{
    RecordingForm form;
    form.Show();
    const HWND window = form.hWnd();
    {
        HeldKeys held{VK_SHIFT};
        SendMessageW(window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(form.Last(), "keydown 65 1");
        // F10 is a system key: it arrives as one and still is the form's.
        SendMessageW(window, WM_SYSKEYUP, VK_F10, 0);
        EXPECT_EQ(form.Last(), "keyup 121 1");
    }
    {
        HeldKeys held{VK_CONTROL, VK_MENU};
        SendMessageW(window, WM_KEYUP, VK_APPS, 0);
        EXPECT_EQ(form.Last(), "keyup 93 6");
    }
    EXPECT_TRUE(IsWindow(window));
}

TEST(FormEvents, ActivationMovesBetweenForms)
{
    RecordingForm first(L"frmFirst");
    RecordingForm second(L"frmSecond");
    first.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == first.hWnd(); }, 5000));
    second.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == second.hWnd(); }, 5000));
    EXPECT_EQ(first.events, (std::vector<std::string>{"load", "activate", "deactivate"}));
    EXPECT_EQ(second.Last(), "activate");
}
