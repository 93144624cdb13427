#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "forms/display_dpi.h"
#include "forms/screen.h"
#include "tests/dialogs/settings_dialog_fixture.h"

namespace {

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The work area of the last monitor: the primary one's, or where the run has
// several, that of a monitor left of and above it.
RECT WorkArea()
{
    const Box last = DisplayMonitors().back();
    return WorkAreaNear(RECT{last.x, last.y, last.x + last.width, last.y + last.height});
}

bool Within(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// How far the centres of two rectangles lie apart, the larger of x and y.
LONG CentreDistance(const RECT& a, const RECT& b)
{
    return std::max(std::abs((a.left + a.right) - (b.left + b.right)) / 2,
                    std::abs((a.top + a.bottom) - (b.top + b.bottom)) / 2);
}

}  // namespace

TEST_F(SettingsDialogTest, TheDialogOpensCentredOnTheScreenAndTheChooserOverItBothWhollyOnScreen)
{
    StartPad();
    const RECT work = WorkArea();
    const bool awayLeft = work.left < 0;
    const bool awayUp = work.top < 0;
    // The pad in the lower right corner changes nothing; on another monitor
    // the dialog and the chooser open on the pad's.
    SetWindowPos(pad->Handle(), nullptr, work.right - 40, work.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT dialog{};
    std::vector<RECT> choosers;
    RECT movedDialog{};
    const auto openChooser = [&] { Click(L"cmdReference(0)"); };
    const auto pickAssociations = [&] { PostKey(Dialog(), 'A'); };
    const auto noteChooser = [&] {
        const HWND chooser = FindNamedWindow(L"cDlgExtension");
        if (!chooser || !IsWindowVisible(chooser)) {
            ModalScript::RepeatStep();
            return;
        }
        choosers.push_back(WindowRect(chooser));
        PostMessageW(chooser, WM_CLOSE, 0, 0);
    };
    RunDialog({
        [&] {
            dialog = WindowRect(Dialog());
            openChooser();
        },
        pickAssociations,
        noteChooser,
        [&] {
            // Moved by the user half off the work area's corner that faces
            // away from the primary monitor (its lower right one there).
            const LONG x = awayLeft ? work.left - (dialog.right - dialog.left) + 200
                                    : work.right - 200;
            const LONG y = awayUp ? work.top - (dialog.bottom - dialog.top) + 100
                                  : work.bottom - 100;
            SetWindowPos(Dialog(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            movedDialog = WindowRect(Dialog());
            openChooser();
        },
        pickAssociations,
        noteChooser,
        [&] { Click(L"cmdCancel"); },
    });
    EXPECT_LE(CentreDistance(dialog, work), 1);
    EXPECT_TRUE(Within(dialog, work));
    ASSERT_EQ(choosers.size(), 2u);
    EXPECT_LE(CentreDistance(choosers[0], dialog), 1);
    EXPECT_TRUE(Within(choosers[0], work));
    EXPECT_FALSE(Within(movedDialog, work));
    EXPECT_TRUE(Within(choosers[1], work));
    EXPECT_EQ(awayLeft ? choosers[1].left : choosers[1].right, awayLeft ? work.left : work.right);
    EXPECT_EQ(awayUp ? choosers[1].top : choosers[1].bottom, awayUp ? work.top : work.bottom);
}

TEST_F(SettingsDialogTest, OnAMonitorOfAnotherResolutionTheDialogIsLaidOutAnewAndBackAsItWas)
{
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    StartPad();
    const std::vector<std::wstring> names = {L"cmdOk", L"picDrag", L"lblName(3)", L"txtCommand",
                                             L"fraContents", L"imgTab(2)", L"picTab(0)"};
    std::vector<RECT> before;
    RECT window{};
    const auto moveTo = [&](int dpi, const RECT& to) {
        RECT suggested = to;
        SendMessageW(Dialog(), kDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };
    const auto fontHeight = [](HWND control) {
        LOGFONTW type{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof type,
                   &type);
        return type.lfHeight;
    };
    RunDialog({
        [&] {
            window = WindowRect(Dialog());
            for (const std::wstring& name : names)
                before.push_back(BoundsInParent(Item(name)));
            // The system proposes the window half as large again, frame and all.
            RECT client{};
            GetClientRect(Dialog(), &client);
            const LONG frameX = window.right - window.left - client.right;
            const LONG frameY = window.bottom - window.top - client.bottom;
            moveTo(144, RECT{window.left, window.top, window.left + frameX + 756,
                             window.top + frameY + 666});
            GetClientRect(Dialog(), &client);
            EXPECT_EQ(client.right, 756);
            EXPECT_EQ(client.bottom, 666);
            // Every control at one and a half times its place and size.
            for (size_t i = 0; i < names.size(); ++i) {
                const RECT now = BoundsInParent(Item(names[i]));
                EXPECT_NEAR(now.left, before[i].left * 3 / 2, 1) << names[i];
                EXPECT_NEAR(now.right, before[i].right * 3 / 2, 1) << names[i];
                EXPECT_NEAR(now.bottom, before[i].bottom * 3 / 2, 1) << names[i];
            }
            EXPECT_EQ(fontHeight(Item(L"cmdOk")), -18);
            EXPECT_EQ(fontHeight(Item(L"lblTab(0)")), -18);
        },
        [&] {
            moveTo(96, window);
            EXPECT_EQ(WindowRect(Dialog()).right, window.right);
            EXPECT_EQ(WindowRect(Dialog()).bottom, window.bottom);
            for (size_t i = 0; i < names.size(); ++i) {
                const RECT now = BoundsInParent(Item(names[i]));
                EXPECT_EQ(now.left, before[i].left) << names[i];
                EXPECT_EQ(now.right, before[i].right) << names[i];
                EXPECT_EQ(now.bottom, before[i].bottom) << names[i];
            }
            EXPECT_EQ(fontHeight(Item(L"cmdOk")), -12);
        },
        [&] { Click(L"cmdCancel"); },
    });
}
