#include <gtest/gtest.h>

#include <memory>

#include "forms/file_drop.h"
#include "forms/picture.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "tests/forms/recording_form.h"
#include "tests/support/image_files.h"
#include "tests/support/message_pump.h"
#include "tests/support/sandbox.h"
#include "tests/support/shell_input.h"

namespace {

COLORREF PixelOf(HWND window, int x, int y)
{
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

}  // namespace

TEST(FormPicture, IconAndBitmapFilesLoadAtTheAskedSizeAndAnythingElseGivesNothing)
{
    TempFolder folder;
    WriteFileBytes(folder.Path() + L"small.bmp", BitmapFile(16, RGB(255, 0, 0)));
    WriteFileBytes(folder.Path() + L"icon.ico", IconFile(32, RGB(0, 0, 255)));
    // The content decides, not the name.
    WriteFileBytes(folder.Path() + L"bitmap.ico", BitmapFile(8, RGB(0, 255, 0)));
    WriteFileBytes(folder.Path() + L"text.bmp", "this is no image");
    WriteFileBytes(folder.Path() + L"cut.ico", IconFile(32, RGB(0, 0, 255)).substr(0, 30));
    WriteFileBytes(folder.Path() + L"cut.bmp", BitmapFile(16, RGB(0, 0, 255)).substr(0, 20));
    // Whole headers over far fewer pixels than they claim: 30000 x 30000.
    std::string huge = BitmapFile(16, RGB(0, 0, 255));
    huge.replace(18, 8, std::string("\x30\x75\0\0\x30\x75\0\0", 8));
    WriteFileBytes(folder.Path() + L"huge.bmp", huge);

    const Picture stretched = LoadPicture(folder.Path() + L"small.bmp", 32, 32);
    ASSERT_TRUE(stretched);
    EXPECT_FALSE(stretched.IsIcon());
    EXPECT_EQ(stretched.Size().cx, 32);
    EXPECT_EQ(stretched.Size().cy, 32);

    const Picture icon = LoadPicture(folder.Path() + L"icon.ico", 32, 32);
    ASSERT_TRUE(icon);
    EXPECT_TRUE(icon.IsIcon());
    EXPECT_EQ(icon.Size().cx, 32);

    EXPECT_TRUE(LoadPicture(folder.Path() + L"bitmap.ico", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path() + L"missing.bmp", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path() + L"text.bmp", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path() + L"cut.ico", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path() + L"cut.bmp", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path() + L"huge.bmp", 32, 32));
    EXPECT_FALSE(LoadPicture(folder.Path(), 32, 32));  // a folder
}

TEST(FormPicture, TheFormPaintsItsBackgroundColourAndThePictureAtTheTopLeft)
{
    TempFolder folder;
    WriteFileBytes(folder.Path() + L"red.bmp", BitmapFile(16, RGB(255, 0, 0)));
    WriteFileBytes(folder.Path() + L"blue.ico", IconFile(32, RGB(0, 0, 255)));
    RecordingForm form(L"frmPaint", ScaleMode::Pixels, COLOR_INFOBK);
    form.Show();
    form.SetPicture(LoadPicture(folder.Path() + L"red.bmp", 32, 32));
    UpdateWindow(form.hWnd());
    EXPECT_EQ(PixelOf(form.hWnd(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.hWnd(), 31, 29), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.hWnd(), 35, 10), GetSysColor(COLOR_INFOBK));

    form.SetPicture(LoadPicture(folder.Path() + L"blue.ico", 32, 32));
    UpdateWindow(form.hWnd());
    EXPECT_EQ(PixelOf(form.hWnd(), 16, 16), RGB(0, 0, 255));

    form.SetPicture(Picture());
    UpdateWindow(form.hWnd());
    EXPECT_EQ(PixelOf(form.hWnd(), 16, 16), GetSysColor(COLOR_INFOBK));
}

TEST(FormTimer, TicksOnlyWhileEnabledAndTheFormIsLoaded)
{
    RecordingForm form;
    Timer timer(form, 10);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    PumpFor(100);
    EXPECT_EQ(ticks, 0);  // no window yet

    form.Load();
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));

    timer.SetEnabled(false);
    PumpFor(30);
    const int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);

    // Enabled again while unloaded: it waits for the next load.
    form.Unload();
    timer.SetEnabled(true);
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);
    form.Load();
    EXPECT_TRUE(PumpUntil([&] { return ticks >= stopped + 2; }, 5000));
}

TEST(FormServices, TheWaitPointerCoversTheFormsUntilTheOutermostOneEnds)
{
    RecordingForm form;
    form.Show();
    const HWND window = form.hWnd();
    const auto pointerOverForm = [&] {
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_EQ(pointerOverForm(), arrow);
    {
        WaitPointer outer;
        EXPECT_EQ(GetCursor(), wait);
        {
            WaitPointer inner;
            EXPECT_EQ(pointerOverForm(), wait);
        }
        EXPECT_TRUE(WaitPointerShown());
        EXPECT_EQ(pointerOverForm(), wait);
    }
    EXPECT_FALSE(WaitPointerShown());
    EXPECT_EQ(pointerOverForm(), arrow);
}

// A drop whose handler ends the drop target (the dialog that owns it closed
// by what was dropped) runs to its end: the handler lives until it returns.
TEST(FormServices, ADropHandlerThatEndsItsTargetRunsToItsEnd)
{
    TempFolder folder;
    const std::wstring file = folder.Path() + L"dropped.txt";
    WriteFileBytes(file, "x");
    RecordingForm form(L"frmDrop");
    form.Show();
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = token;
    bool handlerAlive = false;
    std::unique_ptr<FileDropTarget> target;
    target = std::make_unique<FileDropTarget>(form.hWnd(), [&, token](const auto&) {
        target.reset();
        handlerAlive = !watch.expired();
    });
    token.reset();
    ASSERT_TRUE(target->Registered());
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_TRUE(DragFileOnto(form.hWnd(), file));
    SetCursorPos(pointer.x, pointer.y);  // where the other tests' forms expect it
    EXPECT_FALSE(target);
    EXPECT_TRUE(handlerAlive);
}
