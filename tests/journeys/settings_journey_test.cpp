// A new user's first session with the settings dialog, and the next start:
// what was set through the dialog and where the pad was left come back.

#include <windows.h>

#include <gtest/gtest.h>

#include "objlib/registry.h"
#include "settings/settings.h"
#include "tests/journeys/journey_steps.h"
#include "tests/support/probe_log.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_query.h"
#include "tests/support/x_input.h"

namespace {

// From the pad's centre to the lower left, and back there after the restart.
constexpr int kLowerLeftDx = -60;
constexpr int kLowerLeftDy = 60;
constexpr wchar_t kMenuCaption[] = L"Journey(&J)";

// The menu entry picked by its access key; waits for the launch it makes.
bool LaunchMenuEntry(const RunningProgram& program, HWND pad, const ProbeLogScope& log,
                     size_t launches)
{
    return RightClickOnPad(pad) && WaitForPopupMenu(program.Id()) && PressKeys(L"j") &&
           log.WaitFor(launches, kStepTimeoutMs).size() == launches;
}

bool LaunchLowerLeft(HWND pad, const ProbeLogScope& log, size_t launches)
{
    return RightPressAndMoveFromPad(pad, kLowerLeftDx, kLowerLeftDy) &&
           WaitForStatus(L"korvane_probe") && ReleaseRightButton() &&
           log.WaitFor(launches, kStepTimeoutMs).size() == launches;
}

void EditSettings(const RunningProgram& program, HWND pad)
{
    ASSERT_TRUE(RightClickOnPad(pad));
    ASSERT_TRUE(WaitForPopupMenu(program.Id()));
    ASSERT_TRUE(PressKeys(L"o"));
    const HWND dialog = WaitForNamedWindow(L"cDlgSettings");
    ASSERT_TRUE(dialog);
    const HWND title = ChildNamed(dialog, L"lblTitle");
    const HWND command = ChildNamed(dialog, L"txtCommand");
    ASSERT_TRUE(WaitForText(title, L"ドラッグ: 上"));

    // The drag page: the lower-left arrow of the figure, then its command.
    ASSERT_TRUE(ClickAt(ChildNamed(dialog, L"picDrag"), 26, 66));
    ASSERT_TRUE(WaitForText(title, L"ドラッグ: 左下"));
    ASSERT_TRUE(TypeInto(command, ProbeCommand(L"lowerleft"))) << TextOf(command);

    // The menu page: leaving the drag page takes the typed command; then a
    // new menu entry with its own command and caption.
    ASSERT_TRUE(ClickOn(ChildNamed(dialog, L"picTab(2)")));
    ASSERT_TRUE(WaitForText(title, L"メニュー"));
    const HWND list = ChildNamed(dialog, L"lstMenuItem");
    ASSERT_TRUE(ClickOn(ChildNamed(dialog, L"cmdAdd")));
    ASSERT_TRUE(Eventually([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }));
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(command) != FALSE; }));
    ASSERT_TRUE(TypeInto(command, ProbeCommand(L"menuitem"))) << TextOf(command);
    const HWND caption = ChildNamed(dialog, L"txtCaption");
    ASSERT_TRUE(TypeInto(caption, kMenuCaption)) << TextOf(caption);

    // The general page: not on top, and a double-click exits.
    // A page's controls are made when it is first shown.
    ASSERT_TRUE(ClickOn(ChildNamed(dialog, L"picTab(3)")));
    HWND onTop = nullptr;
    ASSERT_TRUE(Eventually([&] {
        onTop = ChildNamed(dialog, L"chkAlwaysOnTop");
        return IsWindowVisible(onTop) != FALSE;
    }));
    ASSERT_TRUE(WaitForCheck(onTop, true));
    ASSERT_TRUE(ClickOn(onTop));
    ASSERT_TRUE(WaitForCheck(onTop, false));
    const HWND exitOnDoubleClick = ChildNamed(dialog, L"optDblClick(3)");
    ASSERT_TRUE(ClickOn(exitOnDoubleClick));
    ASSERT_TRUE(WaitForCheck(exitOnDoubleClick, true));

    ASSERT_TRUE(ClickOn(ChildNamed(dialog, L"cmdOk")));
    ASSERT_TRUE(WaitUntilNoNamedWindow(L"cDlgSettings"));
}

}  // namespace

TEST(SettingsJourney, WhatTheDialogSetsLaunchesAndComesBackAfterARestart)
{
    RegistrySandbox sandbox;
    TempFolder folder;
    ProbeLogScope log{folder.Path()};
    RECT movedTo{};
    {
        RunningProgram program(BuildFolder() + L"korvane.exe");
        ASSERT_TRUE(program.Started());
        const HWND pad = program.WaitForPad(kStepTimeoutMs);
        ASSERT_TRUE(pad);
        ASSERT_NO_FATAL_FAILURE(EditSettings(program, pad));

        cSettings stored;
        LoadStoredSettings(stored);
        EXPECT_EQ(stored.Drags().Item(6)->Argument(), L"lowerleft");
        ASSERT_EQ(stored.Menus().Count(), 1);
        EXPECT_EQ(stored.Menus().Item(0)->Argument(), L"menuitem");
        EXPECT_EQ(stored.Menus().Item(0)->Caption, kMenuCaption);
        EXPECT_FALSE(stored.AlwaysOnTop);
        EXPECT_EQ(stored.DblClickCommand, 3);

        // The new direction and the new menu entry launch at once.
        ASSERT_TRUE(LaunchLowerLeft(pad, log, 1));
        ASSERT_TRUE(LaunchMenuEntry(program, pad, log, 2));

        // The other button moves the pad.
        RECT before{};
        GetWindowRect(pad, &before);
        const int x = (before.left + before.right) / 2;
        const int y = (before.top + before.bottom) / 2;
        ASSERT_TRUE(StartXdotool(L"mousemove " + ScreenPoint(x, y) + L" mousedown 1 mousemove " +
                                 ScreenPoint(x - 200, y - 120) + L" mouseup 1"));
        ASSERT_TRUE(Eventually([&] {
            GetWindowRect(pad, &movedTo);
            return movedTo.left == before.left - 200 && movedTo.top == before.top - 120;
        })) << movedTo.left << "," << movedTo.top;

        ASSERT_TRUE(RightClickOnPad(pad));
        ASSERT_TRUE(WaitForPopupMenu(program.Id()));
        ASSERT_TRUE(PressKeys(L"u"));
        ASSERT_EQ(program.WaitForExit(kStepTimeoutMs), 0);
    }

    RunningProgram program(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kStepTimeoutMs);
    ASSERT_TRUE(pad);
    RECT rect{};
    GetWindowRect(pad, &rect);
    // Stored as fractions of the screen: back to within a pixel.
    EXPECT_NEAR(rect.left, movedTo.left, 1);
    EXPECT_NEAR(rect.top, movedTo.top, 1);
    EXPECT_EQ(GetWindowLongW(pad, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ASSERT_TRUE(LaunchLowerLeft(pad, log, 3));
    ASSERT_TRUE(LaunchMenuEntry(program, pad, log, 4));
    const std::vector<ProbeRecord> records = log.Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_TRUE(records[0].commandLine.ends_with(L" lowerleft")) << records[0].commandLine;
    EXPECT_TRUE(records[1].commandLine.ends_with(L" menuitem")) << records[1].commandLine;
    EXPECT_TRUE(records[2].commandLine.ends_with(L" lowerleft")) << records[2].commandLine;
    EXPECT_TRUE(records[3].commandLine.ends_with(L" menuitem")) << records[3].commandLine;

    // The double-click now exits.
    ASSERT_TRUE(StartXdotool(L"mousemove " + CentreOf(pad) + L" click --repeat 2 1"));
    EXPECT_EQ(program.WaitForExit(kStepTimeoutMs), 0);
}
