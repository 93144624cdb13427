// A thousand gestures, a thousand menu openings and forty settings dialog
// openings on a pad in this process: afterwards it holds what it held
// before, within a few objects.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "dialogs/settings_dialog.h"
#include "forms/window_name.h"
#include "tests/pad/pad_fixture.h"
#include "tests/robust/resource_counts.h"
#include "tests/support/menu_driver.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_query.h"

namespace {

// Caches that fill on first use (fonts, classes, the library) are filled by
// the warm-up rounds; what the rounds then leave behind must stay small.
constexpr int kWarmUpRounds = 10;
constexpr long kObjectMargin = 8;
constexpr std::size_t kMemoryMargin = 4 * 1024 * 1024;

// Direction d's point just outside the pad's client area.
POINT Outside(int d)
{
    const int dx[] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
    const int dy[] = {0, -1, -1, 0, 1, 1, 1, 0, -1};
    return {16 + dx[d] * 40, 16 + dy[d] * 40};
}

class ResourceLeakTest : public PadTest {
protected:
    void SetUp() override
    {
        PadTest::SetUp();
        AppFolder = BuildFolder();  // where the menu library is
        // One direction leads to a program that is not there (a message
        // each time), the others are empty (a beep).
        AppSettings->Drags().Item(1)->StoreCommandLine(L"C:\\Nowhere\\missing.exe -x");
        for (int i = 0; i < 3; ++i)
            AppSettings->Menus().Add(-1)->StoreCommandLine(L"C:\\Nowhere\\entry.exe");
        // No key-list tip: made at its first showing, it would be counted as
        // a window left behind. Keeping the pointer away is not enough: the
        // missing program's message boxes bring it back over the pad.
        AppSettings->PopupStatus = false;
        SetCursorPos(0, 0);
        StartPad();
        pad->MenuTable = &AppSettings->Menus().Compile();
        menus.Watch(pad->Handle());
    }

    // Runs the work `rounds` times after the warm-up and compares.
    void ExpectNoGrowth(int rounds, const std::function<void(int)>& work)
    {
        for (int i = 0; i < kWarmUpRounds; ++i)
            work(i);
        PumpFor(0);
        const ResourceCounts before = CountResources();
        for (int i = 0; i < rounds; ++i)
            work(i);
        PumpFor(0);
        const ResourceCounts after = CountResources();
        const std::string change = "before: " + Describe(before) + "\nafter:  " + Describe(after);
        EXPECT_LE(std::labs(after.kernelHandles - before.kernelHandles), kObjectMargin) << change;
        EXPECT_LE(std::labs(after.gdiObjects - before.gdiObjects), kObjectMargin) << change;
        EXPECT_LE(std::labs(after.userObjects - before.userObjects), kObjectMargin) << change;
        EXPECT_EQ(after.windows, before.windows) << change;
        EXPECT_LE(after.privateBytes, before.privateBytes + kMemoryMargin) << change;
    }

    void Gesture(int d)
    {
        Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
        const POINT end = Outside(d);
        Mouse(WM_MOUSEMOVE, MK_RBUTTON, (16 + end.x) / 2, (16 + end.y) / 2);
        Mouse(WM_MOUSEMOVE, MK_RBUTTON, end.x, end.y);
        Mouse(WM_RBUTTONUP, 0, end.x, end.y);
    }

    MenuDriver menus;
};

}  // namespace

TEST_F(ResourceLeakTest, AThousandGesturesWithStatusAndAnimationGiveEverythingBack)
{
    size_t boxes = 0;
    ExpectNoGrowth(1000, [&](int i) {
        // Half of them drawn on the screen, half with the status window.
        AppSettings->ActiveStyle = i % 2 == 0;
        Gesture(1 + i % 8);
        EXPECT_EQ(pad->Input().Mode(), PadMode::Idle);
        boxes = watcher.Boxes().size();
    });
    // Every eighth gesture ran into the missing program's message.
    EXPECT_EQ(boxes, 2u + 1000 / 8);
}

TEST_F(ResourceLeakTest, AThousandCommandMenusGiveEverythingBack)
{
    ExpectNoGrowth(1000, [&](int i) {
        menus.Then([](MenuDriver& d) { d.Press(VK_ESCAPE); });
        if (i % 2 == 0) {
            // Released over the pad.
            Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
            Mouse(WM_RBUTTONUP, 0, 16, 16);
        } else {
            Key(WM_KEYDOWN, VK_APPS);
            Key(WM_KEYUP, VK_APPS);
        }
        ASSERT_TRUE(menus.AllStepsRan());
        EXPECT_FALSE(pad->Input().MenuOpen());
    });
}

// Forty: each opening builds the whole dialog, close to half a second here.
TEST_F(ResourceLeakTest, FortySettingsDialogsGiveEverythingBack)
{
    int opened = 0;
    ExpectNoGrowth(40, [&](int i) {
        ModalScript script(
            {[&] {
                const HWND dialog = FindNamedWindow(L"cDlgSettings");
                opened += dialog != nullptr;
                // Every page once in a while, then Cancel or the close box.
                if (i % 5 == 0)
                    for (int page = 0; page < cDlgSettings::kPageCount; ++page)
                        PostClick(ChildNamed(dialog, L"picTab(" + std::to_wstring(page) + L")"));
                if (i % 2 == 0)
                    PostClick(ChildNamed(dialog, L"cmdCancel"));
                else
                    PostMessageW(dialog, WM_CLOSE, 0, 0);
            }},
            [] {
                ADD_FAILURE() << "the dialog stayed open";
                SendMessageW(FindNamedWindow(L"cDlgSettings"), WM_CLOSE, 0, 0);
            });
        pad->RunPadAction(PadAction::Settings);
    });
    EXPECT_EQ(opened, 40 + kWarmUpRounds);
    EXPECT_EQ(FindNamedWindow(L"cDlgSettings"), nullptr);
}
