// The drag, key and menu pages of the settings dialog and their item
// buttons, driven through the dialog's own controls.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/drag_figure.h"
#include "tests/dialogs/settings_dialog_fixture.h"

namespace {

using Pixels = std::vector<COLORREF>;

// The pixels of one arrow's head, from a device context holding the figure.
Pixels HeadPixels(HDC dc, std::int32_t direction)
{
    const Box head = ArrowPartsOf(direction).head;
    Pixels pixels;
    for (std::int32_t y = head.y; y < head.y + head.height; ++y)
        for (std::int32_t x = head.x; x < head.x + head.width; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// The heads of all eight arrows, copied from a window or a bitmap.
std::vector<Pixels> Heads(HDC from)
{
    UniqueDc memory(CreateCompatibleDC(from));
    UniqueGdiObject<HBITMAP> copy(CreateCompatibleBitmap(from, kFigureSize, kFigureSize));
    const ScopedSelection selected(memory.get(), copy.get());
    BitBlt(memory.get(), 0, 0, kFigureSize, kFigureSize, from, 0, 0, SRCCOPY);
    std::vector<Pixels> heads;
    for (std::int32_t d = 1; d <= kArrowCount; ++d)
        heads.push_back(HeadPixels(memory.get(), d));
    return heads;
}

std::vector<Pixels> FigureHeads(HWND figure)
{
    const HDC dc = GetDC(figure);
    std::vector<Pixels> heads = Heads(dc);
    ReleaseDC(figure, dc);
    return heads;
}

// The eight arrows raised, as the figure is drawn in the current 3D colours.
std::vector<Pixels> RaisedHeads()
{
    const std::vector<FigureShade> shades = FigureScale{}.Shades();
    const COLORREF colours[] = {GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DFACE),
                                GetSysColor(COLOR_3DLIGHT)};
    std::vector<Pixels> heads;
    for (std::int32_t d = 1; d <= kArrowCount; ++d) {
        const Box head = ArrowPartsOf(d).head;
        Pixels pixels;
        for (std::int32_t y = head.y; y < head.y + head.height; ++y)
            for (std::int32_t x = head.x; x < head.x + head.width; ++x)
                pixels.push_back(colours[static_cast<int>(shades[std::size_t(y * kFigureSize + x)])]);
        heads.push_back(pixels);
    }
    return heads;
}

// A point well inside an arrow's head: the middle of its tip and the two
// corners beside it.
POINT HeadPoint(std::int32_t direction)
{
    const ArrowOutline outline = ArrowPolygon(direction);
    return {(outline[0].x + outline[1].x + outline[10].x) / 3,
            (outline[0].y + outline[1].y + outline[10].y) / 3};
}

void PressAndRelease(HWND window, POINT down, POINT up)
{
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

std::wstring Line(HWND list, int index)
{
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void ClickLine(HWND list, int index)
{
    RECT line{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
    PostClick(list, (line.left + line.right) / 2, (line.top + line.bottom) / 2);
}

void Fill(ShellCommand& command, const std::wstring& caption)
{
    command.StoreCommandLine(L"notepad.exe");
    command.Caption = caption;
}

class ItemPagesTest : public SettingsDialogTest {
protected:
    // The arrows the figure shows pressed: those that differ from the raised
    // arrows of the program's bitmap.
    std::vector<int> PressedArrows()
    {
        const std::vector<Pixels> shown = FigureHeads(Item(L"picDrag"));
        std::vector<int> pressed;
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i] != raised_.at(i))
                pressed.push_back(static_cast<int>(i) + 1);
        return pressed;
    }
    static std::wstring Name(int direction)
    {
        return TextOf(Item(L"lblName(" + std::to_wstring(direction) + L")"));
    }
    // Every item button's state, Add to move right or down.
    static std::vector<bool> Buttons()
    {
        std::vector<bool> states;
        for (const wchar_t* name : {L"cmdAdd", L"cmdRemove", L"cmdCopy", L"cmdLeftUp", L"cmdRightDown"})
            states.push_back(Enabled(name));
        return states;
    }

    const std::vector<Pixels> raised_ = RaisedHeads();
};

using Selections = std::vector<std::vector<int>>;

}  // namespace

TEST_F(ItemPagesTest, TheFigureSelectsAnArrowOnlyWhenPressAndReleaseHitIt)
{
    StartPad();
    ASSERT_EQ(raised_.size(), 8u);
    Selections seen;
    Pixels raisedThree;
    Pixels pressedThree;
    Pixels raisedAgain;
    const auto figure = [] { return Item(L"picDrag"); };
    const auto click = [&](POINT at) { PressAndRelease(figure(), at, at); };
    std::vector<std::function<void()>> steps = {
        [&] {
            seen.push_back(PressedArrows());
            raisedThree = FigureHeads(figure())[2];
            // The gaps between two arrows, a corner, the centre.
            click({56, 20});
        },
        [&] { click({0, 0}); },
        [&] { click({46, 46}); },
        [&] {
            seen.push_back(PressedArrows());
            // Pressed on one arrow, released on another or beside the figure.
            PressAndRelease(figure(), HeadPoint(3), HeadPoint(5));
        },
        [&] { PressAndRelease(figure(), HeadPoint(3), {92, 92}); },
        [&] {
            seen.push_back(PressedArrows());
            click(HeadPoint(3));
        },
        [&] {
            seen.push_back(PressedArrows());
            pressedThree = FigureHeads(figure())[2];
            click(HeadPoint(4));
        },
        [&] {
            raisedAgain = FigureHeads(figure())[2];
            // A corner of the arrow's outline, on the region's border.
            click({55, 26});
        },
        [&] {
            seen.push_back(PressedArrows());
            Click(L"lblName(6)");
        },
    };
    for (int d : {5, 7, 8, 1}) {
        steps.push_back([&seen, this, d] {
            seen.push_back(PressedArrows());
            PostClick(Item(L"picDrag"), HeadPoint(d).x, HeadPoint(d).y);
        });
    }
    steps.push_back([&] {
        seen.push_back(PressedArrows());
        Click(L"cmdCancel");
    });
    RunDialog(std::move(steps));
    EXPECT_EQ(seen, (Selections{{1}, {1}, {1}, {3}, {2}, {6}, {5}, {7}, {8}, {1}}));
    EXPECT_NE(pressedThree, raisedThree);
    // Pressed is the opposite arrow turned half round: every pixel of the
    // head comes from the point mirrored through the centre.
    EXPECT_EQ(pressedThree, Pixels(raised_[6].rbegin(), raised_[6].rend()));
    EXPECT_EQ(raisedAgain, raisedThree);
    EXPECT_EQ(raisedThree, raised_[2]);
}

TEST_F(ItemPagesTest, ArrowsAndTheNumericPadWalkRoundTheFigure)
{
    StartPad();
    Selections seen;
    std::wstring captions;
    std::vector<std::function<void()>> steps = {[&] {
        captions = TextOf(Item(L"cmdLeftUp")) + L"|" + TextOf(Item(L"cmdRightDown"));
        SetFocus(Item(L"picDrag"));
        PostKey(GetFocus(), VK_LEFT);
    }};
    for (int code : {VK_RIGHT, VK_NUMPAD5, VK_NUMPAD3, VK_DOWN, VK_UP, VK_NUMPAD7}) {
        steps.push_back([&seen, this, code] {
            seen.push_back(PressedArrows());
            PostKey(GetFocus(), code);
        });
    }
    steps.push_back([&] {
        seen.push_back(PressedArrows());
        Click(L"cmdCancel");
    });
    RunDialog(std::move(steps));
    EXPECT_EQ(captions, L"左へ移動(&M)|右へ移動(&N)");
    EXPECT_EQ(seen, (Selections{{8}, {1}, {1}, {4}, {5}, {4}, {8}}));
}

TEST_F(ItemPagesTest, DragCommandsMoveToFreeDirectionsAndRemoveKeepsTheSlot)
{
    StartPadWith([](cSettings& settings) {
        for (std::int32_t d = 2; d <= 8; ++d)
            Fill(*settings.Drags().Item(d), L"コマンド" + std::to_wstring(d));
        Fill(*settings.Drags().Item(1), L"長い名前のコマンド");
    });
    Selections seen;
    std::vector<std::wstring> names;
    std::vector<bool> apply;
    std::vector<bool> buttons;
    std::vector<RECT> up;
    std::vector<RECT> upperLeft;
    bool outsideFigure = true;
    const auto labels = [&] {
        up.push_back(BoundsInParent(Item(L"lblName(1)")));
        upperLeft.push_back(BoundsInParent(Item(L"lblName(8)")));
        const RECT figure = BoundsInParent(Item(L"picDrag"));
        for (int d = 1; d <= 8; ++d) {
            RECT overlap{};
            const RECT label = BoundsInParent(Item(L"lblName(" + std::to_wstring(d) + L")"));
            outsideFigure = outsideFigure && !IntersectRect(&overlap, &label, &figure);
        }
    };
    RunDialog({
        [&] {
            buttons = Buttons();
            labels();
            // Every direction is taken: nothing moves.
            Click(L"cmdLeftUp");
        },
        [&] {
            seen.push_back(PressedArrows());
            names = {Name(1), Name(8)};
            apply.push_back(Enabled(L"cmdApply"));
            Click(L"lblName(8)");
        },
        [&] { Click(L"cmdRemove"); },
        [&] {
            seen.push_back(PressedArrows());
            names.push_back(Name(8));
            for (bool state : Buttons())
                buttons.push_back(state);
            apply.push_back(Enabled(L"cmdApply"));
            Click(L"lblName(1)");
        },
        // Counter-clockwise from 1 wraps round to 8.
        [&] { Click(L"cmdLeftUp"); },
        [&] {
            seen.push_back(PressedArrows());
            // The moved command is the current one at its new place.
            names.push_back(Name(1));
            names.push_back(Name(8));
            names.push_back(TextOf(Item(L"txtCaption")));
            labels();
            apply.push_back(Enabled(L"cmdApply"));
            Click(L"cmdApply");
        },
        // Clockwise from 8 the nearest free direction is 1 again.
        [&] { Click(L"cmdRightDown"); },
        [&] {
            seen.push_back(PressedArrows());
            names.push_back(Name(1));
            apply.push_back(Enabled(L"cmdApply"));
            Click(L"cmdOk");
        },
    });
    EXPECT_EQ(watcher.Boxes().size(), 1u);
    if (!watcher.Boxes().empty()) {
        EXPECT_EQ(watcher.Boxes()[0].text, L"移動する空きがありません。");
        EXPECT_EQ(watcher.Boxes()[0].caption, L"Korvane");
        EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Error);
    }
    EXPECT_EQ(seen, (Selections{{1}, {8}, {8}, {1}}));
    const std::wstring moved = L"長い名前のコマンド";
    EXPECT_EQ(names, (std::vector<std::wstring>{moved, L"コマンド8", L"---", L"---", moved, moved,
                                                moved}));
    // Enabled on an occupied slot but Add; an emptied slot leaves nothing to do.
    EXPECT_EQ(buttons, (std::vector<bool>{false, true, true, true, true,
                                          false, false, false, false, false}));
    // New names keep the labels beside their arrows: up stays centred,
    // upper left keeps its right edge.
    ASSERT_EQ(up.size(), 2u);
    EXPECT_NE(up[0].right - up[0].left, up[1].right - up[1].left);
    // Centred to the pixel: an odd width leaves half a pixel either way.
    EXPECT_NEAR(up[0].left + up[0].right, up[1].left + up[1].right, 1);
    EXPECT_NE(upperLeft[0].left, upperLeft[1].left);
    EXPECT_EQ(upperLeft[0].right, upperLeft[1].right);
    EXPECT_TRUE(outsideFigure);
    // Only the move left enables Apply: Remove and the move right leave it as it was.
    EXPECT_EQ(apply, (std::vector<bool>{false, false, true, false}));
    ASSERT_NE(AppSettings, nullptr);
    EXPECT_EQ(AppSettings->Drags().Item(1)->Caption, moved);
    EXPECT_TRUE(AppSettings->Drags().Item(8)->IsEmpty());
    EXPECT_EQ(AppSettings->Drags().Item(7)->Caption, L"コマンド7");
}

TEST_F(ItemPagesTest, KeyCommandsMoveOnlyWithinTheList)
{
    StartPadWith([](cSettings& settings) {
        Fill(*settings.Keys().Item(0), L"エー");
        Fill(*settings.Keys().Item(2), L"シー");
    });
    std::vector<std::wstring> lines;
    RunDialog({
        [&] { Click(L"picTab(1)"); },
        [&] { ClickLine(Item(L"lstAccessKey"), 0); },
        [&] { Click(L"cmdLeftUp"); },
        [&] { Click(L"cmdRightDown"); },
        [&] {
            for (int i : {0, 1, 2, 35})
                lines.push_back(Line(Item(L"lstAccessKey"), i));
            // The moved command stays current; its copy takes the next
            // free line below it.
            Click(L"cmdCopy");
        },
        [&] {
            lines.push_back(Line(Item(L"lstAccessKey"), 3));
            Click(L"cmdCancel");
        },
    });
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, L"移動できません。これより上に空きがありません。");
    EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"A[a]\t---", L"B[b]\tエー", L"C[c]\tシー",
                                                L"9[)]\t---", L"D[d]\tCopy - エー"}));
}

TEST_F(ItemPagesTest, MenuCopiesGoBelowTheirSourceAndRemovingTheLastEntryEmptiesTheFields)
{
    StartPadWith([](cSettings& settings) {
        ShellCommands& menus = settings.Menus();
        while (menus.Count() > 0)
            menus.Remove(0);
        Fill(*menus.Add(-1), L"メモ帳");
    });
    std::vector<std::wstring> lines;
    std::vector<bool> states;
    std::wstring command;
    RunDialog({
        [&] { Click(L"picTab(2)"); },
        [&] {
            states = Buttons();
            Click(L"cmdCopy");
        },
        [&] {
            const HWND list = Item(L"lstMenuItem");
            lines = {Line(list, 0), Line(list, 1)};
            states.push_back(SendMessageW(list, LB_GETCURSEL, 0, 0) == 1);
            states.push_back(TextOf(Item(L"txtCaption")) == L"Copy - メモ帳");
            Click(L"cmdRemove");
        },
        [&] { Click(L"cmdRemove"); },
        [&] {
            const HWND list = Item(L"lstMenuItem");
            states.push_back(SendMessageW(list, LB_GETCOUNT, 0, 0) == 0);
            states.push_back(SendMessageW(list, LB_GETCURSEL, 0, 0) == LB_ERR);
            for (bool state : Buttons())
                states.push_back(state);
            states.push_back(Enabled(L"txtCommand"));
            states.push_back(Enabled(L"txtCaption"));
            command = TextOf(Item(L"txtCommand")) + TextOf(Item(L"txtCaption"));
            // Add brings a new entry that can be edited.
            Click(L"cmdAdd");
        },
        [&] {
            states.push_back(SendMessageW(Item(L"lstMenuItem"), LB_GETCOUNT, 0, 0) == 1);
            states.push_back(Enabled(L"txtCommand"));
            states.push_back(Enabled(L"cmdApply"));
            Click(L"cmdAdd");
        },
        [&] {
            // The next one goes below the selected entry.
            states.push_back(SendMessageW(Item(L"lstMenuItem"), LB_GETCURSEL, 0, 0) == 1);
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"メモ帳", L"Copy - メモ帳"}));
    EXPECT_EQ(states, (std::vector<bool>{true, true, true, false, false,  // one entry
                                         true, true,  // the copy is selected and shown
                                         true, true,  // empty, no selection
                                         true, false, false, false, false,
                                         false, false,  // fields disabled
                                         true, true, true, true}));
    EXPECT_EQ(command, L"");
    EXPECT_TRUE(watcher.Boxes().empty());
}
