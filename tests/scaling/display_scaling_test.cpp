// The pad, its popups and both dialogs at 100 to 300 % display scaling. A
// program finds the screen's resolution as the prefix's
// "LogPixels" says when it starts, so the test runs this program again at
// each resolution (DisplayScaling), and that run checks what it shows
// there (AtThisScaling, skipped when the program is not started so).

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "base/dpi_scale.h"
#include "base/interface_text.h"
#include "base/win_handles.h"
#include "dialogs/dlg_extension.h"
#include "dialogs/drag_figure.h"
#include "forms/display_dpi.h"
#include "forms/high_contrast.h"
#include "forms/screen.h"
#include "resources/resource_ids.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_query.h"

namespace {

constexpr wchar_t kScalingVariable[] = L"KORVANE_TEST_DPI";
// Set for a run in a high-contrast theme, which Wine cannot switch on.
constexpr wchar_t kContrastVariable[] = L"KORVANE_TEST_HIGH_CONTRAST";

// The resolution this run was started for, or 0 when it is the suite's own run.
int ScalingOfThisRun()
{
    const wchar_t* value = _wgetenv(kScalingVariable);
    return value ? _wtoi(value) : 0;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

LONG FontHeight(HWND window)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// What a control needs beside its text: the box or circle of a check box or
// option button, the edges of a button, the indent of a frame's caption.
int Allowance(HWND control, int dpi)
{
    const std::wstring kind = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (kind == L"Button") {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            return ScaledToDpi(6, dpi);
        return ScaledToDpi(16, dpi);
    }
    return kind == L"Static" ? 0 : ScaledToDpi(12, dpi);
}

struct Clipped {
    std::wstring text;
    SIZE needed;
    SIZE room;
};

BOOL CALLBACK CollectClipped(HWND control, LPARAM param)
{
    auto& [dpi, clipped] = *reinterpret_cast<std::pair<int, std::vector<Clipped>>*>(param);
    const std::wstring kind = ClassOf(control);
    const std::wstring text = TextOf(control);
    // Labels, buttons and the captions of frames: text the layout must hold.
    if (text.empty() || !IsWindowVisible(control) ||
        (kind != L"Static" && kind != L"Button" && kind != L"KorvaneContainer"))
        return TRUE;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool plain = kind == L"Static" && (style & SS_NOPREFIX);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const SIZE width =
        plain ? MeasureText(control, font, text) : MeasureCaption(control, font, text);
    // A whole line of the type, down to the descenders of a Latin font.
    TEXTMETRICW type{};
    {
        const WindowDc dc(control);
        const ScopedSelection selected(dc.get(), font);
        GetTextMetricsW(dc.get(), &type);
    }
    const SIZE needed{width.cx + Allowance(control, dpi), type.tmHeight};
    const SIZE room = ClientSize(control);
    // Frames draw their caption over their top edge, whatever their height.
    const bool tooLow = kind != L"KorvaneContainer" && needed.cy > room.cy;
    if (needed.cx > room.cx || tooLow)
        clipped.push_back({text, needed, room});
    return TRUE;
}

// Every text the visible controls of a window show, that does not fit them.
std::vector<Clipped> ClippedTexts(HWND window, int dpi)
{
    std::pair<int, std::vector<Clipped>> found{dpi, {}};
    EnumChildWindows(window, CollectClipped, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

void ExpectNoTextClipped(HWND window, int dpi, const std::wstring& where)
{
    for (const Clipped& c : ClippedTexts(window, dpi))
        ADD_FAILURE() << "at " << dpi << " DPI, " << where << ": \"" << c.text
                      << "\" needs " << c.needed.cx << " x " << c.needed.cy
                      << " pixels and has " << c.room.cx << " x " << c.room.cy;
}

// Whether an icon resource holds an image drawn for this size, so that
// nothing has to stretch another size to it.
bool IconHoldsImageOf(int id, int pixels)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    const auto* group = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found)))
                              : nullptr;
    if (!group)
        return false;
    // The group's header (reserved, type, count), then 14 bytes an image
    // whose first two give its width and height, 0 for 256.
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        if ((entry[0] ? entry[0] : 256) == pixels && (entry[1] ? entry[1] : 256) == pixels)
            return true;
    }
    return false;
}

// A window's client area as it shows it, row by row, each pixel 0xRRGGBB.
std::vector<DWORD> ClientPixels(HWND window)
{
    const SIZE size = ClientSize(window);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const WindowDc screen(window);
    UniqueGdiObject<HBITMAP> copy(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits,
                                                   nullptr, 0));
    UniqueDc memory(CreateCompatibleDC(screen.get()));
    if (!copy || !bits)
        return {};
    {
        const ScopedSelection selected(memory.get(), copy.get());
        BitBlt(memory.get(), 0, 0, size.cx, size.cy, screen.get(), 0, 0, SRCCOPY);
    }
    const auto* pixel = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(pixel, pixel + size.cx * size.cy);
    for (DWORD& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

DWORD Rgb(COLORREF colour)
{
    return DWORD(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

int Lightness(DWORD rgb)
{
    return (int((rgb >> 16) & 0xFF) * 299 + int((rgb >> 8) & 0xFF) * 587 + int(rgb & 0xFF) * 114) /
           1000;
}

// The square the drag figure is drawn in within its box: from the first to
// the last pixel that is not the button face, the arrows' tips reaching to
// a pixel of the figure's edges.
RECT DrawnFigure(HWND box)
{
    const SIZE size = ClientSize(box);
    const std::vector<DWORD> pixels = ClientPixels(box);
    const DWORD background = Rgb(GetSysColor(COLOR_3DFACE));
    RECT drawn{size.cx, size.cy, -1, -1};
    for (LONG y = 0; y < size.cy; ++y)
        for (LONG x = 0; x < size.cx; ++x)
            if (pixels[std::size_t(y * size.cx + x)] != background)
                drawn = {std::min(drawn.left, x), std::min(drawn.top, y),
                         std::max(drawn.right, x + 1), std::max(drawn.bottom, y + 1)};
    return drawn;
}

bool Within(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A list shows whole rows, keeps its designed top and takes as many rows as
// its designed height holds.
void ExpectWholeRows(HWND list, int dpi)
{
    const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(row, 0);
    const SIZE client = ClientSize(list);
    EXPECT_EQ(client.cy % row, 0) << "at " << dpi << " DPI, rows of " << row;
    RECT outer{};
    GetWindowRect(list, &outer);
    MapWindowPoints(nullptr, GetParent(list), reinterpret_cast<POINT*>(&outer), 2);
    EXPECT_EQ(outer.top, ScaledToDpi(18, dpi));
    EXPECT_LE(outer.bottom - outer.top, ScaledToDpi(160, dpi));
    EXPECT_GT(outer.bottom - outer.top, ScaledToDpi(160, dpi) - row);
    // The Japanese rows fill it exactly; the Latin font's rows may leave a gap.
    if (dpi == kDesignDpi && CurrentLanguage() == InterfaceLanguage::Japanese) {
        EXPECT_EQ(outer.bottom - outer.top, 160);
    }
}

class AtThisScaling : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        dpi = ScalingOfThisRun();
        if (dpi == 0)
            GTEST_SKIP() << "started at each resolution by DisplayScaling";
        // The prefix's setting reached this program.
        ASSERT_EQ(SystemDpi(), dpi);
        if (_wgetenv(kContrastVariable))
            OverrideHighContrast(true);
        SettingsDialogTest::SetUp();
    }
    int S(int designed) const { return ScaledToDpi(designed, dpi); }

    int dpi = 0;
};

}  // namespace

std::wstring ThisProgram()
{
    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return self;
}

struct Scaling {
    DWORD dpi;
    bool highContrast = false;
};

void PrintTo(const Scaling& scaling, std::ostream* out)
{
    *out << scaling.dpi << " DPI" << (scaling.highContrast ? ", high contrast" : "");
}

// The colours of Windows' "High Contrast Black" theme.
const std::vector<std::pair<std::wstring, std::wstring>> kHighContrastBlack = {
    {L"ButtonFace", L"0 0 0"},        {L"ButtonText", L"255 255 255"},
    {L"ButtonShadow", L"128 128 128"}, {L"ButtonHilight", L"255 255 255"},
    {L"ButtonLight", L"255 255 255"},  {L"ButtonDkShadow", L"0 0 0"},
    {L"Window", L"0 0 0"},            {L"WindowText", L"255 255 255"},
    {L"Hilight", L"26 235 255"},      {L"HilightText", L"0 0 0"},
    {L"InfoWindow", L"0 0 0"},        {L"InfoText", L"255 255 0"},
    {L"Menu", L"0 0 0"},              {L"MenuText", L"255 255 255"},
    {L"GrayText", L"63 242 0"},
};

class DisplayScaling : public testing::TestWithParam<Scaling> {};

TEST_P(DisplayScaling, ThePadItsPopupsAndTheDialogs)
{
    if (ScalingOfThisRun() != 0)
        GTEST_SKIP() << "a run at one resolution";
    const DWORD dpi = GetParam().dpi;
    const ScopedColourScheme colours(GetParam().highContrast ? kHighContrastBlack
                                                             : decltype(kHighContrastBlack){});
    const ScopedEnvironment contrast(kContrastVariable, GetParam().highContrast
                                                           ? std::optional<std::wstring>(L"1")
                                                           : std::nullopt);
    // Windows offers 300 % on screens of 3840 x 2160 pixels; make test has
    // one of those, with a second monitor, in its second display.
    if (dpi == 288 && (GetSystemMetrics(SM_CXSCREEN) < 3840 || GetSystemMetrics(SM_CYSCREEN) < 2160))
        GTEST_SKIP() << "300 % is tried on a screen of 3840 x 2160";
    const ScopedScreenResolution resolution(dpi);
    const ScopedEnvironment scaling(kScalingVariable, std::to_wstring(dpi));
    EXPECT_EQ(RunProgram(L"\"" + ThisProgram() + L"\" --gtest_brief=1 --gtest_filter=AtThisScaling.*",
                         120000),
              0)
        << "at " << dpi << " DPI";
}

// 100, 125, 150, 175, 200, 250 and 300 %; 150 % in a high-contrast theme.
INSTANTIATE_TEST_SUITE_P(Resolutions, DisplayScaling,
                         testing::Values(Scaling{96}, Scaling{120}, Scaling{144}, Scaling{168},
                                         Scaling{192}, Scaling{240}, Scaling{288},
                                         Scaling{144, true}));

TEST(DisplayScalingAfterwards, TheSuiteFindsTheScreenAsItWas)
{
    if (ScalingOfThisRun() != 0)
        GTEST_SKIP() << "a run at one resolution";
    const ScopedEnvironment scaling(kScalingVariable, std::to_wstring(SystemDpi()));
    EXPECT_EQ(RunProgram(L"\"" + ThisProgram() + L"\" --gtest_brief=1 "
                         L"--gtest_filter=AtThisScaling.ThePadIs*",
                         120000),
              0);
}

TEST_F(AtThisScaling, ThePadIsItsScaledSquareShowingItsIconAtThatSize)
{
    cMain& main = StartPad();
    const SIZE client = ClientSize(main.Handle());
    EXPECT_EQ(client.cx, S(32));
    EXPECT_EQ(client.cy, S(32));
    EXPECT_EQ(main.PadWidth, S(32) + 2);
    EXPECT_EQ(PadRect().left + main.PadWidth / 2, ScreenWidth() / 2);
    EXPECT_EQ(main.GetPicture().Size().cx, S(32));
    EXPECT_EQ(main.GetPicture().Size().cy, S(32));
    EXPECT_TRUE(main.GetPicture().IsIcon());
    EXPECT_TRUE(IconHoldsImageOf(IDI_KORVANE, S(32))) << "stretched to " << S(32);
}

TEST_F(AtThisScaling, TheStatusWindowAndTheKeyListTipTakeTheirTypeAndMarginsFromThePad)
{
    cMain& main = StartPad();
    const RECT pad = PadRect();

    main.StatusWindow.ShowStatus(L"メモ帳を開く");
    const HWND label = main.StatusWindow.lblInfo();
    EXPECT_EQ(FontHeight(label), -MulDiv(12, dpi, 72));
    RECT status{};
    GetWindowRect(main.StatusWindow.Handle(), &status);
    EXPECT_EQ(status.top, pad.top + S(38));
    RECT text{};
    GetWindowRect(label, &text);
    // The text inside the border after a margin of 30 twips (2 pixels at
    // 100 %), the window centred on the pad.
    EXPECT_GE(text.left - status.left, dpi / 48);
    EXPECT_GE(text.top - status.top, dpi / 48);
    EXPECT_LE(text.right, status.right - 1);
    EXPECT_LE(text.bottom, status.bottom - 1);
    EXPECT_NEAR((status.left + status.right) / 2, pad.left + S(16), 1);
    main.StatusWindow.HideStatus();

    main.TipWindow.PopupStatus(100, 100);
    RECT tip{};
    GetWindowRect(main.TipWindow.Handle(), &tip);
    // Below the pointer where the work area has room for it there (a Latin
    // type's taller lines take more than 768 pixels at 250 %).
    if (100 + S(20) + (tip.bottom - tip.top) <= WorkAreaNear(main.Handle()).bottom) {
        EXPECT_EQ(tip.top, 100 + S(20));
    }
    // Two columns of 18 lines in 9-point type, each line at least the type's height.
    EXPECT_GE(tip.bottom - tip.top, 18 * MulDiv(9, dpi, 72) + S(10));
    EXPECT_EQ(main.TipWindow.GetPicture().Size().cx, tip.right - tip.left - 2);
    main.TipWindow.HideTip();

    // A long caption with the pad in each corner of each monitor's work area:
    // the window stays wholly in it and off the pad, and so does the tip,
    // off the pointer.
    const int padSize = pad.right - pad.left;
    for (const Box& monitor : DisplayMonitors()) {
        const RECT work = WorkAreaNear(
            RECT{monitor.x, monitor.y, monitor.x + monitor.width, monitor.y + monitor.height});
        for (const POINT corner : {POINT{work.left, work.top}, POINT{work.right - padSize, work.top},
                                   POINT{work.left, work.bottom - padSize},
                                   POINT{work.right - padSize, work.bottom - padSize}}) {
            SCOPED_TRACE(testing::Message() << "pad at " << corner.x << ',' << corner.y);
            SetWindowPos(main.Handle(), nullptr, corner.x, corner.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            main.StatusWindow.ShowStatus(L"コントロール パネルの画面のプロパティを開く");
            GetWindowRect(main.StatusWindow.Handle(), &status);
            EXPECT_TRUE(Within(status, work));
            EXPECT_TRUE(status.top >= corner.y + padSize || status.bottom <= corner.y);
            main.StatusWindow.HideStatus();
            const POINT pointer{corner.x + padSize / 2, corner.y + padSize / 2};
            main.TipWindow.PopupStatus(pointer.x, pointer.y);
            RECT tip{};
            GetWindowRect(main.TipWindow.Handle(), &tip);
            EXPECT_TRUE(Within(tip, work));
            EXPECT_FALSE(PtInRect(&tip, pointer));
            main.TipWindow.HideTip();
        }
    }
}

TEST_F(AtThisScaling, TheSettingsDialogIsLaidOutForTheResolutionAndNoTextIsCutOff)
{
    // Each direction's name beside its arrow is as wide as its caption.
    static const wchar_t* const captions[] = {
        L"エクスプローラー",      L"ワードパッド",        L"メモ帳", L"コマンド プロンプト",
        L"マインスイーパー", L"レジストリ エディター", L"コントロール パネル", L"W"};
    StartPadWith([](cSettings& settings) {
        for (std::int32_t d = 1; d <= 8; ++d) {
            ShellCommand& command = *settings.Drags().Item(d);
            command.StoreCommandLine(L"C:\\windows\\notepad.exe");
            command.Caption = captions[d - 1];
        }
    });
    std::vector<std::function<void()>> steps = {
        [&] {
            const HWND dialog = Dialog();
            const SIZE client = ClientSize(dialog);
            EXPECT_EQ(client.cx, S(504));
            EXPECT_EQ(client.cy, S(444));
            // Wholly in the work area where it can be, its title bar always.
            RECT outer{};
            GetWindowRect(dialog, &outer);
            const RECT work = WorkAreaNear(dialog);
            EXPECT_GE(outer.left, work.left);
            EXPECT_GE(outer.top, work.top);
            if (outer.right - outer.left <= work.right - work.left &&
                outer.bottom - outer.top <= work.bottom - work.top) {
                EXPECT_TRUE(Within(outer, work));
            }
            EXPECT_EQ(FontHeight(Item(L"cmdOk")), -MulDiv(9, dpi, 72));
            EXPECT_EQ(ClientSize(Item(L"cmdOk")).cx, S(81));
            EXPECT_EQ(ClientSize(Item(L"imgTab(0)")).cx, S(16));
            EXPECT_EQ(ClientSize(Item(L"picDrag")).cx, S(93));
            for (const int tab : {IDI_TAB_DRAG, IDI_TAB_KEYS, IDI_TAB_MENU, IDI_TAB_GENERAL})
                EXPECT_TRUE(IconHoldsImageOf(tab, S(16))) << tab << " stretched to " << S(16);
        },
        [&] { ExpectNoTextClipped(Dialog(), dpi, L"drag page"); },
    };
    // The figure fills its box, and the middle of each arrow as drawn,
    // halfway from its tip to the end of its shaft, selects its direction.
    RECT drawn{};
    std::vector<std::wstring> selected;
    steps.push_back([&] {
        drawn = DrawnFigure(Item(L"picDrag"));
        const SIZE box = ClientSize(Item(L"picDrag"));
        EXPECT_LE(drawn.left, 1);
        EXPECT_LE(drawn.top, 1);
        EXPECT_GE(drawn.right, box.cx - 2);
        EXPECT_GE(drawn.bottom, box.cy - 2);
    });
    for (const std::int32_t d : {2, 3, 4, 5, 6, 7, 8, 1}) {
        steps.push_back([&, d] {
            const ArrowOutline o = ArrowPolygon(d);
            const auto at = [](LONG from, LONG to, double design) {
                return from + int((design + 0.5) * (to - from) / kFigureSize);
            };
            PostClick(Item(L"picDrag"),
                      at(drawn.left, drawn.right, (2 * o[0].x + o[5].x + o[6].x) / 4.0),
                      at(drawn.top, drawn.bottom, (2 * o[0].y + o[5].y + o[6].y) / 4.0));
        });
        steps.push_back([&] { selected.push_back(TextOf(Item(L"txtCaption"))); });
    }
    // In a high-contrast theme the selected arrow (up) is filled in the
    // highlight colour, and the drag tab's icon is light on its black.
    steps.push_back([&] {
        if (!_wgetenv(kContrastVariable))
            return;
        const std::vector<DWORD> figure = ClientPixels(Item(L"picDrag"));
        EXPECT_GE(std::count(figure.begin(), figure.end(), Rgb(GetSysColor(COLOR_HIGHLIGHT))),
                  S(10) * S(10));
        const std::vector<DWORD> icon = ClientPixels(Item(L"imgTab(0)"));
        EXPECT_GE(std::count_if(icon.begin(), icon.end(), [](DWORD p) { return Lightness(p) >= 128; }),
                  S(16) * S(16) / 8);
    });
    steps.insert(steps.end(), {
        [&] { Click(L"picTab(1)"); },
        [&] {
            ExpectNoTextClipped(Dialog(), dpi, L"key page");
            ExpectWholeRows(Item(L"lstAccessKey"), dpi);
        },
        [&] { Click(L"picTab(2)"); },
        [&] {
            ExpectNoTextClipped(Dialog(), dpi, L"menu page");
            ExpectWholeRows(Item(L"lstMenuItem"), dpi);
        },
        [&] { Click(L"picTab(3)"); },
        [&] { ExpectNoTextClipped(Dialog(), dpi, L"general page"); },
        [&] { Click(L"cmdCancel"); },
    });
    RunDialog(std::move(steps));
    EXPECT_EQ(selected, (std::vector<std::wstring>{captions[1], captions[2], captions[3],
                                                   captions[4], captions[5], captions[6],
                                                   captions[7], captions[0]}));
}

TEST_F(AtThisScaling, TheExtensionChooserIsLaidOutForTheResolutionAndNoTextIsCutOff)
{
    cDlgExtension chooser;
    std::wstring program;
    ModalScript script(
        {
            [&] {
                const HWND dialog = FindNamedWindow(L"cDlgExtension");
                const SIZE client = ClientSize(dialog);
                EXPECT_EQ(client.cx, S(400));
                EXPECT_EQ(client.cy, S(264));
                ExpectNoTextClipped(dialog, dpi, L"extension chooser");
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            },
        },
        [] { PostMessageW(FindNamedWindow(L"cDlgExtension"), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(chooser.ShowChoose(program));
}
