#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "forms/screen.h"
#include "forms/window_name.h"
#include "tests/forms/recording_form.h"
#include "tests/support/message_pump.h"

TEST(FormLifecycle, ShowLoadsOnceAndTheWindowCarriesItsNameUntilUnloaded)
{
    const std::wstring name = L"frmLifecycleProbe";
    RecordingForm form(name);
    EXPECT_FALSE(form.IsLoaded());
    form.Show();
    form.Show();
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "load"), 1);

    const HWND window = form.Handle();
    EXPECT_EQ(WindowNameOf(window), name);
    EXPECT_EQ(FindNamedWindow(name, L"Probe"), window);
    EXPECT_EQ(FindNamedWindow(name, L"Other text"), nullptr);
    EXPECT_NE(GlobalFindAtomW(name.c_str()), 0);

    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "unload"), 1);
    // The name's atom is released with the window.
    EXPECT_EQ(GlobalFindAtomW(name.c_str()), 0);
    EXPECT_EQ(FindNamedWindow(name), nullptr);
}

TEST(FormLifecycle, ClosingRunsTheUnloadEventWhichMayCancel)
{
    RecordingForm form;
    form.cancelUnload = true;
    form.Show();
    const HWND window = form.hWnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(form.Last(), "unload");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(form.IsLoaded());

    form.cancelUnload = false;
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "unload"), 3);
}

TEST(FormLifecycle, UsingAnUnloadedFormLoadsItAgain)
{
    RecordingForm form;
    const HWND first = form.hWnd();
    ASSERT_TRUE(first);
    EXPECT_FALSE(form.Visible());
    form.Unload();
    form.Move(0, 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_NE(form.Handle(), nullptr);
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "unload", "load"}));
    EXPECT_EQ(WindowNameOf(form.Handle()), L"frmProbe");
}

TEST(FormLifecycle, UnloadLaterEndsTheFormOnlyAfterTheHandlerHasReturned)
{
    RecordingForm form;
    form.Show();
    const HWND window = form.hWnd();
    bool loadedAfterRequest = false;
    form.onDblClick = [&] {
        form.UnloadLater();
        // Still usable: the handler goes on with a live form.
        loadedAfterRequest = form.IsLoaded() && IsWindow(window);
        form.events.push_back("handler done");
    };
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_TRUE(loadedAfterRequest);
    EXPECT_TRUE(IsWindow(window));
    ASSERT_TRUE(PumpUntil([&] { return !form.IsLoaded(); }, 5000));
    EXPECT_FALSE(IsWindow(window));
    const auto done = std::find(form.events.begin(), form.events.end(), "handler done");
    EXPECT_NE(std::find(done, form.events.end(), "unload"), form.events.end());
}

TEST(FormLifecycle, PositionAndSizeAreInTwips)
{
    RecordingForm form;
    const float tppX = TwipsPerPixelX();
    const float tppY = TwipsPerPixelY();
    form.Move(10 * tppX, 20 * tppY);
    RECT rect{};
    GetWindowRect(form.hWnd(), &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    // The design's client area is 40 × 30 inside a one-pixel border.
    EXPECT_EQ(rect.right - rect.left, 42);
    EXPECT_EQ(rect.bottom - rect.top, 32);
    EXPECT_FLOAT_EQ(form.Left(), 10 * tppX);
    EXPECT_FLOAT_EQ(form.Top(), 20 * tppY);
    EXPECT_FLOAT_EQ(form.Width(), 42 * tppX);

    form.Move(-5 * tppX, 7 * tppY, 60 * tppX, 50 * tppY);
    EXPECT_FLOAT_EQ(form.Left(), -5 * tppX);
    EXPECT_FLOAT_EQ(form.Height(), 50 * tppY);
    EXPECT_FLOAT_EQ(form.ScaleWidth(), 58.0f);
}

TEST(FormLifecycle, TheMessageLoopRunsUntilTheLastFormIsUnloaded)
{
    ASSERT_EQ(LoadedFormCount(), 0);
    EXPECT_EQ(RunMessageLoop(), 0);  // nothing loaded: returns at once

    RecordingForm first(L"frmFirst");
    RecordingForm second(L"frmSecond");
    first.Show();
    second.Load();
    EXPECT_EQ(LoadedFormCount(), 2);
    first.UnloadLater();
    second.UnloadLater();
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(first.IsLoaded());
    EXPECT_FALSE(second.IsLoaded());
    EXPECT_EQ(LoadedFormCount(), 0);

    // Outside the loop, unloading the last form leaves no quit message behind.
    first.Load();
    first.Unload();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A modal form ended by a message the loop's wait handles itself (one sent
// from another thread, as other programs and the system send them) ends its
// loop at once, not with whatever message comes next.
TEST(FormLifecycle, AModalFormEndedWhileItsLoopWaitsReturnsAtOnce)
{
    const std::function<void(HWND)> endings[] = {
        [](HWND window) { ShowWindow(window, SW_HIDE); },
        [](HWND window) { SendMessageW(window, WM_CLOSE, 0, 0); },
    };
    for (const auto& end : endings) {
        RecordingForm form(L"frmModalEnd");
        std::atomic<bool> returned{false};
        bool late = false;
        const DWORD loopThread = GetCurrentThreadId();
        std::thread other([&] {
            HWND window = nullptr;
            while (!(window = FindNamedWindow(L"frmModalEnd")) || !IsWindowVisible(window))
                Sleep(10);
            end(window);
            Sleep(500);
            late = !returned;
            PostThreadMessageW(loopThread, WM_NULL, 0, 0);  // ends a loop left waiting
        });
        form.ShowModal();
        returned = true;
        other.join();
        EXPECT_FALSE(late);
        form.Unload();
    }
}
