#include <windows.h>

#include <imm.h>

#include <vector>

#include "base/win_handles.h"
#include "forms/display_dpi.h"
#include "forms/hot_key.h"
#include "forms/window_name.h"
#include "tests/pad/pad_fixture.h"
#include "tests/support/image_files.h"

namespace {

COLORREF PixelOf(HWND window, int x, int y)
{
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The alpha of a layered window, or -1 when it has no layered attributes.
int AlphaOf(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return -1;
    return alpha;
}

// Another window of the program's thread to take the activation from the pad.
UniqueWindow OtherWindow()
{
    UniqueWindow other(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                       50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    return other;
}

bool Activate(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

}  // namespace

TEST_F(PadTest, FirstStartShowsA32PixelPadInAOnePixelBorderCentredOnTheScreen)
{
    cMain& main = StartPad();
    const HWND window = main.Handle();
    ASSERT_TRUE(IsWindowVisible(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 32);
    EXPECT_EQ(client.bottom, 32);
    const RECT rect = PadRect();
    EXPECT_EQ(rect.right - rect.left, 34);
    EXPECT_EQ(rect.bottom - rect.top, 34);
    EXPECT_EQ(main.PadWidth, 34);
    EXPECT_EQ(rect.left + 17, ScreenWidth() / 2);
    EXPECT_EQ(rect.top + 17, ScreenHeight() / 2);

    EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);  // no title bar
    EXPECT_EQ(FindNamedWindow(L"cMain", L"Korvane"), window);
    // The popups wait for their first use.
    EXPECT_FALSE(main.StatusWindow.IsLoaded());
    EXPECT_FALSE(main.TipWindow.IsLoaded());
    EXPECT_EQ(main.tmrTip.Interval(), 55u);
    // Reading the position creates no key; nothing was reported.
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, L"Software\\Tessaly\\Korvane\\Position"));
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(PadTest, StoredPositionsBeyondTheScreenPutTheCentreOnItsEdges)
{
    // The screen is the only monitor here: beyond its edges lies none.
    ASSERT_EQ(DisplayMonitors(), (std::vector<Box>{{0, 0, ScreenWidth(), ScreenHeight()}}));
    PositionKey().WriteValue(L"x", -0.2f);
    PositionKey().WriteValue(L"y", 1.5f);
    StartPad();
    EXPECT_EQ(PadRect().left + 17, 0);
    EXPECT_EQ(PadRect().top + 17, ScreenHeight());
    pad.reset();

    PositionKey().WriteValue(L"x", 1.5f);
    PositionKey().WriteValue(L"y", -0.2f);
    StartPad();
    EXPECT_EQ(PadRect().left + 17, ScreenWidth());
    EXPECT_EQ(PadRect().top + 17, 0);
    pad.reset();

    // Values that are no number at all, or infinite, mean the centre.
    PositionKey().WriteValue(L"x", std::wstring(L"nan"));
    PositionKey().WriteValue(L"y", std::wstring(L"inf"));
    StartPad();
    EXPECT_EQ(PadRect().left + 17, ScreenWidth() / 2);
    EXPECT_EQ(PadRect().top + 17, ScreenHeight() / 2);
}

TEST_F(PadTest, ClosingAndRestartingPutsThePadBackWhereItWas)
{
    struct Case {
        POINT corner;
        bool minimised;  // closed while minimised: where it shows restored
    };
    std::vector<Case> cases = {Case{{123, 456}, false}, Case{{-10, 7}, false},
                               Case{{ScreenWidth() - 20, 0}, false}, Case{{300, 200}, true}};
    // Each other monitor (left of and above the primary one where the run has
    // them so). Not minimised: Wine tells a minimised window's normal place
    // in screen coordinates, not in those of its work area as Windows does.
    for (const Box& monitor : DisplayMonitors())
        if (monitor.x != 0 || monitor.y != 0)
            cases.push_back({{monitor.x + 123, monitor.y + 45}, false});
    for (const Case c : cases) {
        StartPad();
        SetWindowPos(pad->Handle(), nullptr, c.corner.x, c.corner.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.minimised) {
            ShowWindow(pad->Handle(), SW_MINIMIZE);
            ASSERT_TRUE(IsIconic(pad->Handle()));
        }
        ASSERT_TRUE(pad->Unload());
        pad.reset();

        StartPad();
        EXPECT_FALSE(IsIconic(pad->Handle()));
        EXPECT_NEAR(PadRect().left, c.corner.x, 1);
        EXPECT_NEAR(PadRect().top, c.corner.y, 1);
        pad.reset();
    }
}

TEST_F(PadTest, ClosingThroughTheSystemSavesSettingsAndPositionAndRemovesTheCommandFile)
{
    cMain& main = StartPad();
    const HWND window = main.Handle();
    AppSettings->SwapButtons = true;
    AppSettings->DblClickCommand = 3;
    SetWindowPos(window, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(GetFileAttributesW((AppFolder + L"KORVANE.SCF").c_str()) != INVALID_FILE_ATTRIBUTES,
              true);

    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);

    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(main.StatusWindow.IsLoaded());
    EXPECT_FALSE(main.TipWindow.IsLoaded());
    EXPECT_EQ(GetFileAttributesW((AppFolder + L"KORVANE.SCF").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ProductKey().ReadValue(L"SwapButtons", false));
    EXPECT_EQ(ProductKey().ReadValue(L"DoubleClickCommand", std::int32_t{0}), 3);
    EXPECT_TRUE(ProductKey().ReadValue(L"AlwaysOnTop", false));
    EXPECT_FLOAT_EQ(PositionKey().ReadValue(L"x", -1.0f), (100.0f + 17) / ScreenWidth());
    EXPECT_FLOAT_EQ(PositionKey().ReadValue(L"y", -1.0f), (200.0f + 17) / ScreenHeight());
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(PadTest, ThePadIsOpaqueWhileActiveAndHalfTransparentOtherwise)
{
    cMain& main = StartPad();
    const HWND window = main.Handle();
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    // The tip's timer runs while the pad is active with the pointer on it.
    const POINT centre = PadCentre();
    SetCursorPos(centre.x, centre.y);
    ASSERT_TRUE(Activate(window));
    EXPECT_EQ(AlphaOf(window), 255);
    EXPECT_TRUE(main.tmrTip.Enabled());

    const UniqueWindow other = OtherWindow();
    ASSERT_TRUE(Activate(other.get()));
    EXPECT_EQ(AlphaOf(window), 128);
    EXPECT_FALSE(main.tmrTip.Enabled());
    ASSERT_TRUE(Activate(window));
    EXPECT_EQ(AlphaOf(window), 255);
    EXPECT_TRUE(main.tmrTip.Enabled());
    // The pointer leaves the active pad: the timer stops.
    SetCursorPos(centre.x + 100, centre.y);
    EXPECT_TRUE(PumpUntil([&] { return !main.tmrTip.Enabled(); }, 5000));

    // The hot key brings it back too.
    ASSERT_TRUE(Activate(other.get()));
    EXPECT_EQ(AlphaOf(window), 128);
    PostMessageW(window, WM_HOTKEY, kHotKeyId, 0);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }, 5000));
    EXPECT_EQ(AlphaOf(window), 255);
}

namespace {

int alphaWhenShown = -2;
HHOOK showHook = nullptr;

LRESULT CALLBACK WatchFirstShow(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam &&
        WindowNameOf(message->hwnd) == L"cMain" && alphaWhenShown == -2)
        alphaWhenShown = AlphaOf(message->hwnd);
    return CallNextHookEx(showHook, code, wParam, lParam);
}

}  // namespace

TEST_F(PadTest, ALayeredPadHasItsTransparencyBeforeItIsFirstShown)
{
    // A layered window without attributes is never drawn: the pad must not
    // depend on being activated to become visible.
    showHook = SetWindowsHookExW(WH_CALLWNDPROC, WatchFirstShow, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(showHook);
    StartPad();
    UnhookWindowsHookEx(showHook);
    EXPECT_EQ(alphaWhenShown, 128);
}

TEST_F(PadTest, WithoutLayeredWindowsThePadStaysAPlainWindow)
{
    LayeredWindowsAvailable = false;
    cMain& main = StartPad();
    const HWND window = main.Handle();
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    const UniqueWindow other = OtherWindow();
    ASSERT_TRUE(Activate(other.get()));
    ASSERT_TRUE(Activate(window));
    EXPECT_EQ(AlphaOf(window), -1);
}

TEST_F(PadTest, ActivationClosesTheInputMethodAndDeactivationRestoresIt)
{
    cMain& main = StartPad();
    const HWND window = main.Handle();
    const UniqueWindow other = OtherWindow();
    ASSERT_TRUE(Activate(other.get()));
    const auto openStatus = [&] {
        const HIMC context = ImmGetContext(window);
        const BOOL open = ImmGetOpenStatus(context);
        ImmReleaseContext(window, context);
        return open != FALSE;
    };
    const auto setOpen = [&](BOOL open) {
        const HIMC context = ImmGetContext(window);
        ImmSetOpenStatus(context, open);
        ImmReleaseContext(window, context);
    };
    setOpen(TRUE);
    ASSERT_TRUE(openStatus());

    ASSERT_TRUE(Activate(window));
    EXPECT_FALSE(openStatus());
    EXPECT_TRUE(main.SavedImeOpen);
    // Activated again without losing the activation in between: what the
    // user had is still what comes back.
    SendMessageW(window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_FALSE(openStatus());
    ASSERT_TRUE(Activate(other.get()));
    EXPECT_TRUE(openStatus());

    setOpen(FALSE);
    ASSERT_TRUE(Activate(window));
    ASSERT_TRUE(Activate(other.get()));
    EXPECT_FALSE(openStatus());
}

TEST_F(PadTest, TheCustomImageIsShownAndAnImageThatCannotBeLoadedFallsBackSilently)
{
    const COLORREF darkGreen = RGB(0, 128, 0);
    const COLORREF yellow = RGB(255, 255, 0);
    // The own icon: a dark green square with a yellow disc in the middle.
    StartPad();
    UpdateWindow(pad->Handle());
    EXPECT_EQ(PixelOf(pad->Handle(), 0, 0), darkGreen);
    EXPECT_EQ(PixelOf(pad->Handle(), 16, 16), yellow);
    pad.reset();

    const std::wstring image = folder.Path() + L"pad.bmp";
    // One red pixel, stretched over the pad.
    WriteFileBytes(image, BitmapFile(1, RGB(255, 0, 0)));
    AppSettings->UseCustomIcon = true;
    AppSettings->CustomIcon = image;
    StartPad();
    UpdateWindow(pad->Handle());
    EXPECT_EQ(PixelOf(pad->Handle(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(pad->Handle(), 31, 31), RGB(255, 0, 0));
    pad.reset();

    for (const std::wstring& broken : {folder.Path() + L"missing.ico", folder.Path() + L"bad.ico"}) {
        WriteFileBytes(folder.Path() + L"bad.ico", std::string("\0\0\1\0garbage", 11));
        AppSettings->CustomIcon = broken;
        StartPad();
        UpdateWindow(pad->Handle());
        EXPECT_EQ(PixelOf(pad->Handle(), 0, 0), darkGreen);
        EXPECT_EQ(PixelOf(pad->Handle(), 16, 16), yellow);
        // The load went on to its end.
        EXPECT_TRUE(IsWindowVisible(pad->Handle()));
        EXPECT_TRUE(GetWindowLongPtrW(pad->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        pad.reset();
    }
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(PadTest, ThePadIsTopmostOnlyWhenTheSettingSaysSo)
{
    ASSERT_TRUE(AppSettings->AlwaysOnTop);  // the stored default
    StartPad();
    EXPECT_TRUE(GetWindowLongPtrW(pad->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    pad.reset();

    AppSettings->AlwaysOnTop = false;
    StartPad();
    EXPECT_FALSE(GetWindowLongPtrW(pad->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(PadTest, TheCommandListsWaitForTheFirstPaintButNotForInputOrClosing)
{
    ProductKey().SubKey(L"Key").SubKey(L"A").WriteValue(L"Caption", std::wstring(L"stored"));
    ProductKey().SubKey(L"Menu").WriteValue(L"NumberOfMenus", std::int32_t{1});
    RegistryKey entry = ProductKey().SubKey(L"Menu").SubKey(L"0");
    entry.WriteValue(L"ProgramFileName", std::wstring(L"C:\\entry.exe"));
    entry.WriteValue(L"Caption", std::wstring(L"entry"));
    const auto storedCaption = [] { return AppSettings->Keys().Item(0)->Caption; };
    // As start-up leaves things: the options read, the lists still to come.
    const auto startWithOptionsOnly = [&] {
        AppSettings = std::make_unique<cSettings>();
        RegistryKey key = ProductKey();
        AppSettings->LoadOptions(key);
        pad = std::make_unique<cMain>(*AppSettings);
        pad->DeferredStartUp = [] {
            RegistryKey product = ProductKey();
            AppSettings->LoadLists(product);
        };
        pad->Show();
    };

    startWithOptionsOnly();
    EXPECT_EQ(storedCaption(), L"");
    EXPECT_EQ(pad->MenuTable, nullptr);
    PumpFor(0);
    EXPECT_EQ(storedCaption(), L"stored");
    ASSERT_NE(pad->MenuTable, nullptr);
    ASSERT_EQ(pad->MenuTable->Count(), 1);
    EXPECT_STREQ(pad->MenuTable->Table()[0].caption, "entry");
    pad.reset();

    // A key pressed before the first paint finds the commands read.
    startWithOptionsOnly();
    Key(WM_KEYUP, 'Q');
    EXPECT_EQ(storedCaption(), L"stored");
    pad.reset();

    // Closed before its first paint, the pad saves the user's commands, not
    // the empty lists it started with.
    startWithOptionsOnly();
    SendMessageW(pad->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(pad->IsLoaded());
    EXPECT_EQ(ProductKey().SubKey(L"Key").SubKey(L"A").ReadValue(L"Caption", std::wstring()),
              L"stored");
    EXPECT_EQ(ProductKey().SubKey(L"Menu").ReadValue(L"NumberOfMenus", std::int32_t{0}), 1);
}

TEST_F(PadTest, OnAMonitorOfAnotherResolutionThePadTakesItsSizeAroundItsCentre)
{
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    cMain& main = StartPad();
    const HWND window = main.Handle();
    const POINT centre = PadCentre();
    const auto moveTo = [&](int dpi) {
        // Where the system proposes the window: the old one scaled from its corner.
        const RECT now = PadRect();
        RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, main.Dpi()),
                       now.top + MulDiv(now.bottom - now.top, dpi, main.Dpi())};
        SendMessageW(window, kDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };

    moveTo(144);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 48);
    EXPECT_EQ(client.bottom, 48);
    EXPECT_EQ(main.PadWidth, 50);
    EXPECT_EQ(PadRect().right - PadRect().left, 50);
    EXPECT_NEAR(PadCentre().x, centre.x, 1);
    EXPECT_NEAR(PadCentre().y, centre.y, 1);
    EXPECT_EQ(main.GetPicture().Size().cx, 48);
    // A gesture reads its direction on the larger pad: (40, 24) is over it.
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 24, 24);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 40, 24);
    wchar_t shown[64] = L"";
    GetWindowTextW(main.StatusWindow.lblInfo(), shown, 64);
    EXPECT_STREQ(shown, AppSettings->Drags().Item(0)->DisplayCaption().c_str());
    LOGFONTW type{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(main.StatusWindow.lblInfo(), WM_GETFONT, 0, 0)),
               sizeof type, &type);
    EXPECT_EQ(type.lfHeight, -24);  // 12 points at 144 DPI
    // The status window on a monitor of its own: the pad still says its size.
    RECT status{};
    GetWindowRect(main.StatusWindow.Handle(), &status);
    RECT proposed{0, 0, 900, 900};
    SendMessageW(main.StatusWindow.Handle(), kDpiChanged, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&proposed));
    RECT kept{};
    GetWindowRect(main.StatusWindow.Handle(), &kept);
    EXPECT_TRUE(EqualRect(&status, &kept));
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 50, 24);
    GetWindowTextW(main.StatusWindow.lblInfo(), shown, 64);
    EXPECT_STREQ(shown, AppSettings->Drags().Item(3)->DisplayCaption().c_str());
    // A second button cancels the gesture; the pad is idle once both are up.
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 50, 24);
    Mouse(WM_MOUSEMOVE, 0, 50, 24);

    // Back on a monitor at 96 DPI it is as it was, and so is its stored place.
    moveTo(96);
    EXPECT_EQ(main.PadWidth, 34);
    EXPECT_EQ(main.GetPicture().Size().cx, 32);
    EXPECT_NEAR(PadCentre().x, centre.x, 1);
    EXPECT_NEAR(PadCentre().y, centre.y, 1);
    ASSERT_TRUE(main.Unload());
    EXPECT_EQ(PositionKey().ReadValue(L"x", 0.0f), 0.5f);
    EXPECT_EQ(PositionKey().ReadValue(L"y", 0.0f), 0.5f);
}
