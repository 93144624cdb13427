// A first start of korvane.exe with eight commands waiting in the registry:
// the pad, the eight gestures, the command menu and the way out.

#include <windows.h>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/journeys/journey_steps.h"
#include "tests/support/probe_log.h"
#include "tests/support/program_driver.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_query.h"

namespace {

struct Gesture {
    int direction;
    int dx;
    int dy;
    const wchar_t* caption;
    const wchar_t* argument;
};

// Each direction's command carries its own caption and argument, so that a
// launch of the wrong one cannot pass.
constexpr Gesture kGestures[] = {
    {1, 0, -80, L"Up", L"north"},         {2, 60, -60, L"UpperRight", L"north-east"},
    {3, 80, 0, L"Right", L"east"},        {4, 60, 60, L"LowerRight", L"south-east"},
    {5, 0, 80, L"Down", L"south"},        {6, -60, 60, L"LowerLeft", L"south-west"},
    {7, -80, 0, L"Left", L"west"},        {8, -60, -60, L"UpperLeft", L"north-west"},
};

}  // namespace

TEST(FirstStartJourney, ThePadIsCentredEachGestureLaunchesItsCommandAndTheMenuEnds)
{
    RegistrySandbox sandbox;
    TempFolder folder;
    ProbeLogScope log{folder.Path()};
    {
        cSettings settings;
        LoadStoredSettings(settings);
        for (const Gesture& gesture : kGestures) {
            settings.Drags().Item(gesture.direction)->StoreCommandLine(
                ProbeCommand(gesture.argument));
            settings.Drags().Item(gesture.direction)->Caption = gesture.caption;
        }
        SaveSettings(settings);
    }

    RunningProgram program(BuildFolder() + L"korvane.exe");
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kStepTimeoutMs);
    ASSERT_TRUE(pad);
    RECT rect{};
    GetWindowRect(pad, &rect);
    EXPECT_EQ(rect.right - rect.left, 34);
    EXPECT_EQ(rect.bottom - rect.top, 34);
    EXPECT_EQ((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ((rect.top + rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);

    size_t launches = 0;
    for (const Gesture& gesture : kGestures) {
        SCOPED_TRACE(gesture.caption);
        ASSERT_TRUE(RightPressAndMoveFromPad(pad, gesture.dx, gesture.dy));
        // Before the release the status window shows what it would launch.
        EXPECT_TRUE(WaitForStatus(gesture.caption));
        ASSERT_TRUE(ReleaseRightButton());
        const std::vector<ProbeRecord> records = log.WaitFor(++launches, kStepTimeoutMs);
        ASSERT_EQ(records.size(), launches);
        EXPECT_TRUE(records.back().commandLine.ends_with(std::wstring(L" ") + gesture.argument))
            << records.back().commandLine;
        // The status window that showed the caption is gone with the release.
        EXPECT_TRUE(WaitUntilNoNamedWindow(L"cPopupStatus"));
    }

    // Released over the pad: the command menu, which Escape closes unused.
    ASSERT_TRUE(RightClickOnPad(pad));
    ASSERT_TRUE(WaitForPopupMenu(program.Id()));
    ASSERT_TRUE(PressKeys(L"Escape"));
    EXPECT_TRUE(WaitUntilNoPopupMenu(program.Id()));
    EXPECT_TRUE(IsWindowVisible(pad));

    // And its exit item ends the program.
    ASSERT_TRUE(RightClickOnPad(pad));
    ASSERT_TRUE(WaitForPopupMenu(program.Id()));
    ASSERT_TRUE(PressKeys(L"u"));
    ASSERT_EQ(program.WaitForExit(kStepTimeoutMs), 0);
    EXPECT_EQ(log.Records().size(), launches) << "the menu launched something";
}
