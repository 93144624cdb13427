#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "base/path_text.h"
#include "base/win_handles.h"
#include "forms/hot_key.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/dialogs/shell_input.h"
#include "tests/support/image_files.h"
#include "tests/support/probe_log.h"
#include "tests/support/registry_tree.h"

namespace {

constexpr std::int32_t kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

std::int32_t HotKeyCode(int key, int modifiers) { return MAKEWORD(key, modifiers); }

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea()
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
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

TEST_F(SettingsDialogTest, CancelRightAfterOpeningChangesNothingAndGivesThePadBackItsState)
{
    const std::int32_t stored = HotKeyCode('K', kCtrlAlt);
    cMain& main = StartPadWith([&](cSettings& settings) {
        settings.HotKey = stored;
        settings.AlwaysOnTop = true;
    });
    // The pad may hold another key than the stored one; the dialog shows that.
    const std::int32_t held = HotKeyCode('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    ASSERT_TRUE(SetHotKey(main.Handle(), held));
    const RegistryTree before = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);

    std::int32_t shown = 0;
    std::int32_t padKeyMeanwhile = -1;
    bool topmostMeanwhile = true;
    bool applyEnabled = true;
    std::wstring caption;
    RECT client{};
    RunDialog({
        [&] {
            padKeyMeanwhile = HotKeyOf(main.Handle());
            topmostMeanwhile = IsTopmost(main.Handle());
            applyEnabled = Enabled(L"cmdApply");
            caption = TextOf(Dialog());
            GetClientRect(Dialog(), &client);
            Click(L"picTab(3)");
        },
        [&] {
            shown = HotKeyShown();
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(shown, held);
    EXPECT_EQ(padKeyMeanwhile, 0);
    EXPECT_FALSE(topmostMeanwhile);
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(caption, L"Korvane 設定");
    EXPECT_EQ(client.right, 504);
    EXPECT_EQ(client.bottom, 444);

    EXPECT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath), before);
    // What the live settings say comes back, not what the pad held before.
    EXPECT_EQ(HotKeyOf(main.Handle()), stored);
    EXPECT_TRUE(IsTopmost(main.Handle()));
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(SettingsDialogTest, OkWithoutChangesStillSavesTheWorkingCopyAndReloadsTheLiveSettings)
{
    cMain& main = StartPadWith([](cSettings& settings) { settings.AlwaysOnTop = false; });
    // No hot key stored yet: OK writes the one the pad holds, though its
    // page was never shown.
    ProductKey().WriteValue(L"HotKey", Null);
    ASSERT_EQ(StoredValue(L"HotKey"), -100);
    const std::int32_t held = HotKeyCode('J', kCtrlAlt);
    ASSERT_TRUE(SetHotKey(main.Handle(), held));
    // The live settings differ from the registry until OK reloads them.
    AppSettings->AlwaysOnTop = true;
    AppSettings->PopupStatus = !AppSettings->PopupStatus;
    const bool storedPopup = !AppSettings->PopupStatus;

    RunDialog({[&] { Click(L"cmdOk"); }});
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(StoredValue(L"HotKey"), held);
    EXPECT_EQ(StoredValue(L"DoubleClickCommand"), AppSettings->DblClickCommand);
    EXPECT_FALSE(AppSettings->AlwaysOnTop);
    EXPECT_EQ(AppSettings->PopupStatus, storedPopup);
    EXPECT_FALSE(IsTopmost(main.Handle()));
}

TEST_F(SettingsDialogTest, ARefusedSaveIsShownOnceAndLosesNothingTypedNorThePosition)
{
    cMain& main = StartPadWith([](cSettings&) {});
    // The key commands' key made volatile: no lasting key can be made inside
    // it, so saving the key commands fails as a registry refusing writes does.
    const std::wstring keys = std::wstring(kProductKeyPath) + L"\\Key";
    RestoreRegistryTree(HKEY_CURRENT_USER, keys, {});
    {
        UniqueHKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keys.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
    }
    bool openAfterOk = false;
    std::wstring captionAfterOk;
    RunDialog({
        [&] {
            SetWindowTextW(Item(L"txtCaption"), L"残す名前");
            Click(L"cmdOk");
        },
        [&] {
            openAfterOk = IsWindowVisible(Dialog()) != FALSE;
            captionAfterOk = TextOf(Item(L"txtCaption"));
            Click(L"cmdCancel");
        },
    });
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, L"レジストリキーを作成できません: " + keys + L"\\A");
    EXPECT_EQ(watcher.Boxes()[0].caption, L"Korvane");
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(captionAfterOk, L"残す名前");

    // The exit save fails alike: told once, and the position is still stored.
    const HWND window = main.Handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(watcher.Boxes().size(), 2u);
    EXPECT_EQ(watcher.Boxes()[1].text, watcher.Boxes()[0].text);
    EXPECT_NE(PositionKey().ReadValue(L"x", -1.0f), -1.0f);
}

TEST_F(SettingsDialogTest, ApplyThenCancelKeepsTheAppliedValuesAndThePadGetsThemOnClose)
{
    cMain& main = StartPadWith([](cSettings& settings) {
        settings.AlwaysOnTop = false;
        settings.PopupStatus = false;
        settings.DblClickCommand = 1;
    });
    bool applyAfterClick = false;
    bool applyAfterApply = true;
    bool topmostMeanwhile = true;
    bool liveTopmostMeanwhile = false;
    std::int32_t storedMeanwhile = -1;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            Click(L"chkAlwaysOnTop");
            Click(L"optDblClick(3)");
            SetFocus(Item(L"HotKeyWnd"));
            PostKey(Item(L"HotKeyWnd"), 'Q');
        },
        [&] {
            applyAfterClick = Enabled(L"cmdApply");
            Click(L"cmdApply");
        },
        [&] {
            applyAfterApply = Enabled(L"cmdApply");
            storedMeanwhile = StoredValue(L"AlwaysOnTop");
            liveTopmostMeanwhile = AppSettings->AlwaysOnTop;
            topmostMeanwhile = IsTopmost(main.Handle());
            // Changed after Apply, then dropped by Cancel.
            Click(L"chkPopupStatus");
        },
        [&] { Click(L"cmdCancel"); },
    });
    EXPECT_TRUE(applyAfterClick);
    EXPECT_FALSE(applyAfterApply);
    EXPECT_EQ(storedMeanwhile, 1);
    EXPECT_TRUE(liveTopmostMeanwhile);
    EXPECT_FALSE(topmostMeanwhile);

    EXPECT_EQ(StoredValue(L"AlwaysOnTop"), 1);
    EXPECT_EQ(StoredValue(L"DoubleClickCommand"), 3);
    EXPECT_EQ(StoredValue(L"PopupStatus"), 0);
    EXPECT_EQ(StoredValue(L"HotKey"), HotKeyCode('Q', kCtrlAlt));
    EXPECT_EQ(AppSettings->DblClickCommand, 3);
    EXPECT_FALSE(AppSettings->PopupStatus);
    EXPECT_TRUE(IsTopmost(main.Handle()));
    EXPECT_EQ(HotKeyOf(main.Handle()), HotKeyCode('Q', kCtrlAlt));
}

TEST_F(SettingsDialogTest, AKeyWithoutCtrlOrAltBecomesCtrlAltKeyAndEnablesApply)
{
    StartPad();
    std::unique_ptr<HeldKeys> shift;
    std::vector<std::int32_t> shown;
    std::vector<bool> apply;
    RunDialog({
        [&] {
            Click(L"picTab(3)");
            apply.push_back(Enabled(L"cmdApply"));
        },
        [&] {
            SetFocus(Item(L"HotKeyWnd"));
            PostKey(GetFocus(), 'K');
        },
        [&] {
            shown.push_back(HotKeyShown());
            apply.push_back(Enabled(L"cmdApply"));
            shift = std::make_unique<HeldKeys>(std::initializer_list<int>{VK_SHIFT});
            PostKey(GetFocus(), 'M');
        },
        [&] {
            shift.reset();
            shown.push_back(HotKeyShown());
            Click(L"cmdOk");
        },
    });
    EXPECT_EQ(apply, (std::vector<bool>{false, true}));
    EXPECT_EQ(shown, (std::vector<std::int32_t>{HotKeyCode('K', kCtrlAlt), HotKeyCode('M', kCtrlAlt)}));
    EXPECT_EQ(StoredValue(L"HotKey"), HotKeyCode('M', kCtrlAlt));
}

TEST_F(SettingsDialogTest, TabsSwitchByMouseCtrlTabAndArrowKeysAndTheSelectedTabIsEnlarged)
{
    StartPad();
    std::vector<int> pages;
    std::vector<std::wstring> focus;
    RECT selected{};
    RECT neighbour{};
    bool bold = false;
    bool detailHiddenOnGeneral = false;
    std::wstring moveCaption;
    std::unique_ptr<HeldKeys> held;
    RunDialog({
        [&] {
            pages.push_back(VisiblePage());
            moveCaption = TextOf(Item(L"cmdLeftUp"));
            Click(L"lblTab(3)");
        },
        [&] {
            pages.push_back(VisiblePage());
            focus.push_back(Focused());
            selected = BoundsInParent(Item(L"picTab(3)"));
            neighbour = BoundsInParent(Item(L"picTab(2)"));
            detailHiddenOnGeneral = !IsWindowVisible(Item(L"fraContents")) &&
                                    !IsWindowVisible(Item(L"fraCommands"));
            // Ctrl+Tab works from any control of the dialog.
            SetFocus(Item(L"chkSwapButtons"));
            held = std::make_unique<HeldKeys>(std::initializer_list<int>{VK_CONTROL});
            PostKey(GetFocus(), VK_TAB);
        },
        [&] {
            held.reset();
            pages.push_back(VisiblePage());
            focus.push_back(Focused());
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(L"lblTab(0)"), WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            bold = font.lfWeight >= FW_BOLD;
            PostKey(GetFocus(), VK_LEFT);
        },
        [&] {
            pages.push_back(VisiblePage());
            PostKey(GetFocus(), VK_RIGHT);
        },
        [&] {
            pages.push_back(VisiblePage());
            held = std::make_unique<HeldKeys>(std::initializer_list<int>{VK_CONTROL, VK_SHIFT});
            PostKey(GetFocus(), VK_TAB);
        },
        [&] {
            held.reset();
            pages.push_back(VisiblePage());
            Click(L"picTab(0)");
        },
        [&] {
            pages.push_back(VisiblePage());
            // Back on the drag page the move buttons read as that page says.
            moveCaption += L"|" + TextOf(Item(L"cmdLeftUp")) + L"|" + TextOf(Item(L"cmdRightDown"));
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(pages, (std::vector<int>{0, 3, 0, 3, 0, 3, 0}));
    EXPECT_EQ(focus, (std::vector<std::wstring>{L"picTab(3)", L"picTab(0)"}));
    EXPECT_EQ(selected.left, 368);
    EXPECT_EQ(selected.top, 8);
    EXPECT_EQ(selected.right - selected.left, 124);
    EXPECT_EQ(selected.bottom - selected.top, 28);
    EXPECT_EQ(neighbour.left, 250);
    EXPECT_EQ(neighbour.top, 10);
    EXPECT_EQ(neighbour.right - neighbour.left, 120);
    EXPECT_TRUE(bold);
    EXPECT_TRUE(detailHiddenOnGeneral);
    EXPECT_EQ(moveCaption, L"左へ移動(&M)|左に移動(&M)|右に移動(&N)");
}

TEST_F(SettingsDialogTest, AMissingOrUnreadableCustomImageIsStoredAndThePadShowsItsOwnIcon)
{
    const std::wstring image = folder.Path() + L"pad.bmp";
    WriteFileBytes(image, BitmapFile(32, RGB(255, 0, 0)));
    const std::wstring notImage = folder.Path() + L"notes.ico";
    WriteFileBytes(notImage, "just text, not an icon");
    cMain& main = StartPadWith([&](cSettings& settings) {
        settings.UseCustomIcon = true;
        settings.CustomIcon = image;
    });
    ASSERT_FALSE(main.GetPicture().IsIcon());

    for (const std::wstring& name : {folder.Path() + L"missing.ico", notImage}) {
        RunDialog({
            [&] { Click(L"picTab(3)"); },
            [&] { SetWindowTextW(Item(L"txtIcon"), name.c_str()); },
            [&] { Click(L"cmdOk"); },
        });
        EXPECT_EQ(ProductKey().ReadValue(L"CustomIconFile", std::wstring()), name);
        EXPECT_EQ(StoredValue(L"CustomIcon"), 1);
        EXPECT_TRUE(main.GetPicture().IsIcon());
        EXPECT_EQ(main.GetPicture().Size().cx, main.OwnIcon(32, 32).Size().cx);
        EXPECT_TRUE(watcher.Boxes().empty());
    }

    // A readable image becomes the pad's picture again.
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            SetWindowTextW(Item(L"txtIcon"), image.c_str());
            Click(L"cmdApply");
        },
        [&] { Click(L"cmdCancel"); },
    });
    EXPECT_FALSE(main.GetPicture().IsIcon());
    EXPECT_EQ(main.GetPicture().Size().cx, 32);
}

TEST_F(SettingsDialogTest, TheStockImageDisablesTheFileNameAndItsBrowseButtonButKeepsTheName)
{
    const std::wstring name = folder.Path() + L"custom.ico";
    WriteFileBytes(name, IconFile(32, RGB(0, 0, 255)));
    StartPadWith([&](cSettings& settings) {
        settings.UseCustomIcon = true;
        settings.CustomIcon = name;
    });
    std::vector<bool> states;
    std::wstring kept;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            states = {Checked(L"optIcon(1)"), Enabled(L"txtIcon"), Enabled(L"cmdRefIcon"),
                      Enabled(L"cmdApply")};
            Click(L"optIcon(0)");
        },
        [&] {
            for (bool state : {Checked(L"optIcon(0)"), Enabled(L"txtIcon"), Enabled(L"cmdRefIcon"),
                               Enabled(L"cmdApply")})
                states.push_back(state);
            kept = TextOf(Item(L"txtIcon"));
            Click(L"cmdOk");
        },
    });
    EXPECT_EQ(states, (std::vector<bool>{true, true, true, false, true, false, false, true}));
    EXPECT_EQ(kept, name);
    EXPECT_EQ(StoredValue(L"CustomIcon"), 0);
    EXPECT_EQ(ProductKey().ReadValue(L"CustomIconFile", std::wstring()), name);
}

TEST_F(SettingsDialogTest, TheGeneralPageShowsTheStoredOptionsWithTheirTextsAndToolTips)
{
    StartPadWith([](cSettings& settings) {
        settings.DblClickCommand = 2;
        settings.PopupStatus = true;
        settings.SwapButtons = true;
        settings.AlwaysOnTop = false;
        settings.ActiveStyle = false;
    });
    std::vector<bool> checks;
    std::vector<std::wstring> texts;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            checks = {Checked(L"optDblClick(1)"), Checked(L"optDblClick(2)"),
                      Checked(L"optDblClick(3)"), Checked(L"chkAlwaysOnTop"),
                      Checked(L"chkPopupStatus"), Checked(L"chkSwapButtons"),
                      Checked(L"chkActiveStyle"), Checked(L"optIcon(0)")};
            for (const wchar_t* name : {L"cmdOk", L"cmdCancel", L"cmdApply", L"optIcon(0)",
                                        L"optIcon(1)", L"txtIcon", L"cmdRefIcon", L"picHotKey"})
                texts.push_back(TextOf(Item(name)) + L"|" + ToolTipOf(Dialog(), Item(name)));
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(checks, (std::vector<bool>{false, true, false, false, true, true, false, true}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{
                         L"決定|変更を保存してダイアログを閉じます",
                         L"キャンセル|変更を保存せずにダイアログを閉じます",
                         L"適用(&A)|変更を保存します",
                         L"オリジナル(&G)|元の画像を表示します",
                         L"カスタム(&C)|指定した画像を表示します",
                         L"|画像のファイル名を入力します",
                         L"参照(&R)...|画像参照ダイアログを表示します",
                         L"|ホットキーを入力します",
                     }));
}

TEST_F(SettingsDialogTest, TheImageBrowseDialogPutsTheChosenFileIntoTheNameBox)
{
    const std::wstring image = folder.Path() + L"chosen.ico";
    WriteFileBytes(image, IconFile(32, RGB(0, 128, 0)));
    StartPad();
    HWND browse = nullptr;
    std::wstring firstFilter;
    std::wstring name;
    bool applyEnabled = false;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            Click(L"optIcon(1)");
            Click(L"cmdRefIcon");
        },
        // The open dialog runs its own modal loop; the steps go on inside it.
        [&] {
            browse = FindWindowW(L"#32770", L"ファイルの参照");
            ASSERT_NE(browse, nullptr);
            const HWND filters = GetDlgItem(browse, cmb1);
            const auto length = SendMessageW(filters, CB_GETLBTEXTLEN, 0, 0);
            firstFilter.resize(length > 0 ? static_cast<size_t>(length) : 0);
            SendMessageW(filters, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(firstFilter.data()));
            if (!ConfirmFileDialog(L"ファイルの参照", image))
                ModalScript::RepeatStep();
        },
        [&] {
            name = TextOf(Item(L"txtIcon"));
            applyEnabled = Enabled(L"cmdApply");
            Click(L"cmdOk");
        },
    });
    EXPECT_NE(browse, nullptr);
    EXPECT_EQ(firstFilter, L"画像ファイル");
    EXPECT_EQ(name, image);
    EXPECT_TRUE(applyEnabled);
    EXPECT_EQ(ProductKey().ReadValue(L"CustomIconFile", std::wstring()), image);
}

TEST_F(SettingsDialogTest, AccessKeysLandInTheirOwnFieldsOnEveryPageAndPressNothingBySurprise)
{
    StartPadWith([](cSettings& settings) {
        const auto up = settings.Drags().Item(1);
        up->StoreCommandLine(QuoteIfSpaced(ProbeProgramPath()));
        up->Caption = L"Probe";
        settings.Menus().Add(0)->StoreCommandLine(QuoteIfSpaced(ProbeProgramPath()));
        settings.AlwaysOnTop = false;
        settings.DblClickCommand = 1;
    });
    std::vector<std::wstring> focus;
    bool focusFlagToggled = false;
    std::wstring upName;
    bool hotKeyTaken = false;
    bool onTopAfterHotKey = true;
    bool applied = false;
    RunDialog({[&] {
        SetFocus(Item(L"txtCommand"));
        const bool focusFlag = Checked(L"chkSetFocus");
        // The drag page, from the program box round to it again.
        for (const wchar_t* keys : {L"alt+w", L"alt+n", L"alt+s", L"alt+t"})
            focus.push_back(FocusAfter(keys));
        focusFlagToggled =
            PressUntil(L"alt+v", [&] { return Checked(L"chkSetFocus") != focusFlag; });
        focus.push_back(Focused());
        // 表示名(&N) and 右に移動(&N) share their key: it moves the focus from
        // one to the other and presses neither.
        SetFocus(Item(L"cmdRemove"));
        focus.push_back(FocusAfter(L"alt+n"));
        focus.push_back(FocusAfter(L"alt+n"));
        upName = TextOf(Item(L"lblName(1)"));

        // The key page, from its tab.
        PressUntil(L"ctrl+Tab", [] { return VisiblePage() == 1; });
        focus.push_back(FocusAfter(L"alt+w"));
        focus.push_back(FocusAfter(L"alt+s"));

        // The menu page has no working folder: its key finds nothing shown,
        // and Tab goes on from the display name.
        PressUntil(L"ctrl+Tab", [] { return VisiblePage() == 2; });
        focus.push_back(FocusAfter(L"alt+n"));
        focus.push_back(FocusAfter(L"alt+w Tab"));

        // The general page: the hot-key control takes Alt with a key as its
        // value, not as an access key.
        PressUntil(L"ctrl+Tab", [] { return VisiblePage() == 3; });
        focus.push_back(FocusAfter(L"alt+h"));
        hotKeyTaken =
            PressUntil(L"alt+n", [] { return HotKeyShown() == HotKeyCode('N', kCtrlAlt); });
        focus.push_back(Focused());
        onTopAfterHotKey = Checked(L"chkAlwaysOnTop");
        SetFocus(Item(L"chkPopupStatus"));
        PressUntil(L"alt+u", [] { return Checked(L"optDblClick(3)"); });
        focus.push_back(Focused());
        applied = PressUntil(L"alt+a", [] { return !Enabled(L"cmdApply"); });
        Click(L"cmdCancel");
    }});
    EXPECT_EQ(focus, (std::vector<std::wstring>{
                         L"txtWorkDir", L"txtCaption", L"cboWindowState", L"txtCommand",
                         L"chkSetFocus", L"cmdRightDown", L"txtCaption",
                         L"txtWorkDir", L"cboWindowState",
                         L"txtCaption", L"cmdAdd",
                         L"HotKeyWnd", L"HotKeyWnd", L"optDblClick(3)"}));
    EXPECT_TRUE(focusFlagToggled);
    EXPECT_EQ(upName, L"Probe");
    EXPECT_TRUE(hotKeyTaken);
    EXPECT_FALSE(onTopAfterHotKey);
    EXPECT_TRUE(applied);
    EXPECT_EQ(StoredValue(L"DoubleClickCommand"), 3);
    EXPECT_EQ(StoredValue(L"HotKey"), HotKeyCode('N', kCtrlAlt));
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(SettingsDialogTest, TabFollowsTheScreenAndReachesTheSelectedTabWhichAClickFocusesToo)
{
    // A command as validation leaves it, so that leaving its fields does not enable Apply.
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(1)->SetCommand(QuoteIfSpaced(ProbeProgramPath()));
    });
    std::vector<std::wstring> forward;
    std::vector<std::wstring> backward;
    std::vector<std::wstring> tabs;
    std::vector<int> pages;
    RunDialog({[&] {
        // The dialog opens with the focus on the page.
        forward.push_back(Focused());
        for (int i = 0; i < 16; ++i)
            forward.push_back(FocusAfter(L"Tab"));
        for (int i = 0; i < 3; ++i)
            backward.push_back(FocusAfter(L"shift+Tab"));
        PressUntil(L"Tab Tab", [] { return Focused() == L"picTab(0)"; });
        // The arrow keys on the focused tab switch pages.
        PressUntil(L"Left", [] { return VisiblePage() == 3; });
        pages.push_back(VisiblePage());
        tabs.push_back(Focused());
        PressUntil(L"Right Right", [] { return VisiblePage() == 1; });
        pages.push_back(VisiblePage());
        // A click on the selected tab's caption takes the focus from a field.
        for (const wchar_t* clicked : {L"txtCaption", L"lblTab(1)"}) {
            const HWND before = GetFocus();
            ClickOn(Item(clicked));
            Eventually([&] { return GetFocus() != before; });
            WaitForKeysUp();
            tabs.push_back(Focused());
        }
        PressUntil(L"Left", [] { return VisiblePage() == 0; });
        pages.push_back(VisiblePage());
        Click(L"cmdCancel");
    }});
    EXPECT_EQ(forward, (std::vector<std::wstring>{
                           L"picDrag", L"txtCommand", L"cmdReference(0)", L"txtWorkDir",
                           L"cmdReference(1)", L"txtCaption", L"cboWindowState", L"chkSetFocus",
                           L"cmdRemove", L"cmdCopy", L"cmdLeftUp", L"cmdRightDown", L"cmdOther",
                           L"cmdOk", L"cmdCancel", L"picTab(0)", L"picDrag"}));
    EXPECT_EQ(backward, (std::vector<std::wstring>{L"picTab(0)", L"cmdCancel", L"cmdOk"}));
    EXPECT_EQ(pages, (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"picTab(3)", L"txtCaption", L"picTab(1)"}));
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(SettingsDialogTest, TheDialogOpensCentredOnTheScreenAndTheChooserOverItBothWhollyOnScreen)
{
    StartPad();
    const RECT work = WorkArea();
    // The pad in the lower right corner changes nothing.
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
            // Moved by the user half off the screen's lower right corner.
            SetWindowPos(Dialog(), nullptr, work.right - 200, work.bottom - 100, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    EXPECT_EQ(choosers[1].right, work.right);
    EXPECT_EQ(choosers[1].bottom, work.bottom);
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
