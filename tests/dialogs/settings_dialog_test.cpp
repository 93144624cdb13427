#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/interface_text.h"
#include "base/path_text.h"
#include "base/scope_exit.h"
#include "base/slot_names.h"
#include "base/win_handles.h"
#include "forms/hot_key.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "settings/settings_transfer.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/support/image_files.h"
#include "tests/support/probe_log.h"
#include "tests/support/registry_tree.h"
#include "tests/support/shell_input.h"

namespace {

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Presses OK as the dialog is shown: the posted click comes before its first paint.
HHOOK okAtShowHook = nullptr;
LRESULT CALLBACK PressOkAtShow(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam &&
        WindowNameOf(message->hwnd) == L"cDlgSettings")
        PostClick(ChildNamed(message->hwnd, L"cmdOk"));
    return CallNextHookEx(okAtShowHook, code, wParam, lParam);
}

// Korvane's Run entries, the user's and the machine's, taken away before and
// after a test, as the sandbox does with the settings.
class SignInEntries {
public:
    SignInEntries() { Clear(); }
    ~SignInEntries() { Clear(); }
    static RegistryKey Run(HKEY root)
    {
        return RegistryKey(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    }

private:
    static void Clear()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            Run(root).WriteValue(L"Korvane", Null);
    }
};

// A left click where the user would click on the window: given to the
// window the system finds under that point, as an image the click passes
// through gives it to the window beneath.
void ClickThrough(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT at{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    const HWND target = WindowFromPoint(at);
    ScreenToClient(target, &at);
    PostClick(target, at.x, at.y);
}

}  // namespace

// Each member of an indexed set of controls does what its siblings do, for
// its own index: a tab's picture, icon and caption show its page, a
// direction's name selects its direction, an option turns Apply on and is
// stored as its own value.
TEST_F(SettingsDialogTest, EveryMemberOfEachControlArrayDoesWhatItsSiblingsDo)
{
    const std::wstring image = folder.Path() + L"pad.ico";
    WriteFileBytes(image, IconFile(32, RGB(0, 128, 0)));
    StartPadWith([&](cSettings& settings) {
        settings.DblClickCommand = 1;
        settings.UseCustomIcon = false;
        settings.CustomIcon = image;
    });
    const std::function<int()> page = [] { return VisiblePage(); };
    const std::function<int()> direction = [] {
        for (int d = 1; d <= 8; ++d) {
            if (TextOf(Item(L"lblTitle")) ==
                UiText(IDS_DRAG_ITEM_TITLE, {SlotDisplayName(CommandListKind::Drags, d)}))
                return d;
        }
        return 0;
    };
    const struct {
        std::wstring name;
        int first, last, page;
        bool applied;  // the effect shows in what Apply stores
        std::function<int()> effect;
    } arrays[] = {
        {L"picTab", 0, 3, 0, false, page},
        {L"imgTab", 0, 3, 0, false, page},
        {L"lblTab", 0, 3, 0, false, page},
        {L"lblName", 1, 8, 0, false, direction},
        {L"optDblClick", 1, 3, 3, true, [this] { return StoredValue(L"DoubleClickCommand"); }},
        {L"optIcon", 0, 1, 3, true, [this] { return StoredValue(L"CustomIcon"); }},
    };
    std::vector<std::wstring> faults;
    std::vector<std::function<void()>> steps;
    for (const auto& array : arrays) {
        steps.push_back([&] { Click(L"picTab(" + std::to_wstring(array.page) + L")"); });
        // From the last down, so that each click changes what the last one did.
        for (int i = array.last; i >= array.first; --i) {
            const std::wstring member = array.name + L"(" + std::to_wstring(i) + L")";
            steps.push_back([member] { ClickThrough(Item(member)); });
            if (array.applied) {
                steps.push_back([&faults, member] {
                    if (!Enabled(L"cmdApply"))
                        faults.push_back(member + L" leaves Apply off");
                    Click(L"cmdApply");
                });
            }
            steps.push_back([&faults, &array, member, i] {
                if (const int effect = array.effect(); effect != i)
                    faults.push_back(member + L" gives " + std::to_wstring(effect));
            });
        }
    }
    steps.push_back([] { Click(L"cmdCancel"); });
    RunDialog(std::move(steps));
    EXPECT_EQ(faults, std::vector<std::wstring>{});
}

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
    cMain& main = StartPadWith([](cSettings& settings) {
        settings.AlwaysOnTop = false;
        settings.Keys().Item(0)->Caption = L"stored key";
        settings.Menus().Add(-1)->Caption = L"stored entry";
    });
    const std::int32_t storedEntries = AppSettings->Menus().Count();
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

    // OK at once, before the dialog has read the lists its first page does not show.
    okAtShowHook = SetWindowsHookExW(WH_CALLWNDPROC, PressOkAtShow, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(okAtShowHook);
    RunDialog({});
    UnhookWindowsHookEx(okAtShowHook);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(ProductKey().SubKey(L"Key").SubKey(L"A").ReadValue(L"Caption", std::wstring()),
              L"stored key");
    EXPECT_EQ(ProductKey().SubKey(L"Menu").ReadValue(L"NumberOfMenus", std::int32_t{0}), storedEntries);
    EXPECT_EQ(StoredValue(L"HotKey"), held);
    EXPECT_EQ(StoredValue(L"DoubleClickCommand"), AppSettings->DblClickCommand);
    EXPECT_FALSE(AppSettings->AlwaysOnTop);
    EXPECT_EQ(AppSettings->PopupStatus, storedPopup);
    EXPECT_FALSE(IsTopmost(main.Handle()));
}

class RefusedSaveTest : public SettingsDialogTest {
protected:
    // Types a display name and presses OK as given while the registry
    // refuses the save: told once, the dialog stays open with the name.
    void PressRefusedOk(const std::function<void()>& pressOk)
    {
        RefuseSettingsSaves();
        bool openAfterOk = false;
        std::wstring captionAfterOk;
        RunDialog({
            [&] {
                SetWindowTextW(Item(L"txtCaption"), L"残す名前");
                pressOk();
            },
            [&] {
                openAfterOk = IsWindowVisible(Dialog()) != FALSE;
                captionAfterOk = TextOf(Item(L"txtCaption"));
                Click(L"cmdCancel");
            },
        });
        ASSERT_EQ(watcher.Boxes().size(), 1u);
        EXPECT_EQ(watcher.Boxes()[0].text, kRefusedSaveText);
        EXPECT_EQ(watcher.Boxes()[0].caption, L"Korvane");
        EXPECT_TRUE(openAfterOk);
        EXPECT_EQ(captionAfterOk, L"残す名前");
    }
};

TEST_F(RefusedSaveTest, ARefusedSaveIsShownOnceAndLosesNothingTypedNorThePosition)
{
    cMain& main = StartPadWith([](cSettings&) {});
    PressRefusedOk([] { Click(L"cmdOk"); });

    // The exit save fails alike: told once, and the position is still stored.
    const HWND window = main.Handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(watcher.Boxes().size(), 2u);
    EXPECT_EQ(watcher.Boxes()[1].text, watcher.Boxes()[0].text);
    EXPECT_NE(PositionKey().ReadValue(L"x", -1.0f), -1.0f);
}

// Enter on a focused button runs its handler from the form's own keyboard
// handling, not from a window procedure: the same boundary holds there.
TEST_F(RefusedSaveTest, EnterOnOkThatIsRefusedKeepsTheDialogAndGivesThePadItsStateBack)
{
    const std::int32_t stored = HotKeyCode('K', kCtrlAlt);
    cMain& main = StartPadWith([&](cSettings& settings) {
        settings.HotKey = stored;
        settings.AlwaysOnTop = true;
    });
    PressRefusedOk([] {
        SetFocus(Item(L"cmdOk"));
        PostMessageW(Item(L"cmdOk"), WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(HotKeyOf(main.Handle()), stored);
    EXPECT_TRUE(IsTopmost(main.Handle()));
}

TEST_F(SettingsDialogTest, ApplyThenCancelKeepsTheAppliedValuesAndThePadGetsThemOnClose)
{
    const SignInEntries signIn;
    cMain& main = StartPadWith([](cSettings& settings) {
        settings.AlwaysOnTop = false;
        settings.PopupStatus = false;
        settings.DblClickCommand = 1;
        settings.Language = L"JA";
    });
    std::wstring signInMeanwhile;
    std::wstring languageShown;
    bool applyAfterClick = false;
    bool applyAfterApply = true;
    bool topmostMeanwhile = true;
    bool liveTopmostMeanwhile = false;
    std::int32_t storedMeanwhile = -1;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] { Click(L"chkAlwaysOnTop"); },
        [&] {
            // A check box alone turns Apply on.
            applyAfterClick = Enabled(L"cmdApply");
            Click(L"chkPopupStatus");
            languageShown = TextOf(Item(L"cboLanguage"));
            // English, as a user picks it from the list.
            const HWND language = Item(L"cboLanguage");
            SendMessageW(language, CB_SETCURSEL, 2, 0);
            SendMessageW(GetParent(language), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(language), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(language));
            Click(L"optDblClick(3)");
            Click(L"chkStartAtSignIn");
            SetFocus(Item(L"HotKeyWnd"));
            PostKey(Item(L"HotKeyWnd"), 'Q');
        },
        [&] { Click(L"cmdApply"); },
        [&] {
            applyAfterApply = Enabled(L"cmdApply");
            storedMeanwhile = StoredValue(L"AlwaysOnTop");
            liveTopmostMeanwhile = AppSettings->AlwaysOnTop;
            topmostMeanwhile = IsTopmost(main.Handle());
            signInMeanwhile = SignInEntries::Run(HKEY_CURRENT_USER).ReadValue(L"Korvane", L"");
            // Changed after Apply, then dropped by Cancel.
            Click(L"chkPopupStatus");
            Click(L"chkStartAtSignIn");
        },
        [&] { Click(L"cmdCancel"); },
    });
    EXPECT_TRUE(applyAfterClick);
    EXPECT_FALSE(applyAfterApply);
    EXPECT_EQ(storedMeanwhile, 1);
    EXPECT_EQ(signInMeanwhile, L"\"" + BuildFolder() + L"dialogs_tests.exe\"");
    EXPECT_EQ(SignInEntries::Run(HKEY_CURRENT_USER).ReadValue(L"Korvane", L""), signInMeanwhile);
    EXPECT_TRUE(liveTopmostMeanwhile);
    EXPECT_FALSE(topmostMeanwhile);

    EXPECT_EQ(StoredValue(L"AlwaysOnTop"), 1);
    EXPECT_EQ(StoredValue(L"DoubleClickCommand"), 3);
    EXPECT_EQ(StoredValue(L"PopupStatus"), 1);
    EXPECT_EQ(StoredValue(L"HotKey"), HotKeyCode('Q', kCtrlAlt));
    // The language shows from the next start.
    EXPECT_EQ(languageShown, L"日本語");
    EXPECT_EQ(ProductKey().ReadValue(L"Language", L""), L"en");
    EXPECT_EQ(CurrentLanguage(), InterfaceLanguage::Japanese);
    EXPECT_EQ(AppSettings->DblClickCommand, 3);
    EXPECT_TRUE(AppSettings->PopupStatus);
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
    // The installer for all users made the machine's entry.
    const SignInEntries signIn;
    SignInEntries::Run(HKEY_LOCAL_MACHINE).WriteValue(L"Korvane", std::wstring(L"korvane.exe"));
    std::vector<bool> checks;
    std::vector<std::wstring> texts;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            checks = {Checked(L"optDblClick(1)"), Checked(L"optDblClick(2)"),
                      Checked(L"optDblClick(3)"), Checked(L"chkAlwaysOnTop"),
                      Checked(L"chkPopupStatus"), Checked(L"chkSwapButtons"),
                      Checked(L"chkActiveStyle"), Checked(L"optIcon(0)"),
                      Checked(L"chkStartAtSignIn"), Enabled(L"chkStartAtSignIn")};
            for (const wchar_t* name : {L"cmdOk", L"cmdCancel", L"cmdApply", L"optIcon(0)",
                                        L"optIcon(1)", L"txtIcon", L"cmdRefIcon", L"picHotKey",
                                        L"chkStartAtSignIn"})
                texts.push_back(TextOf(Item(name)) + L"|" + ToolTipOf(Dialog(), Item(name)));
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(checks, (std::vector<bool>{false, true, false, false, true, true, false, true, true,
                                         false}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{
                         L"決定|変更を保存してダイアログを閉じます",
                         L"キャンセル|変更を保存せずにダイアログを閉じます",
                         L"適用(&A)|変更を保存します",
                         L"オリジナル(&G)|元の画像を表示します",
                         L"カスタム(&C)|指定した画像を表示します",
                         L"|画像のファイル名を入力します",
                         L"参照(&R)...|画像参照ダイアログを表示します",
                         L"|ホットキーを入力します",
                         L"全員のサインイン時に起動(インストーラー)|"
                         L"Windows へのサインイン時に、この korvane.exe を起動します",
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

// The general page writes what the dialog shows into a file, unapplied edits
// included, and takes a file's settings in place of the stored ones once the
// user agrees: the pages show them with nothing left to apply, and the pad
// takes them up and goes to their place, which it would otherwise store its
// own over when it ends.
TEST_F(SettingsDialogTest, TheGeneralPageExportsAndImportsEverySetting)
{
    StartPadWith([](cSettings& settings) { settings.Menus().Add(-1)->Caption = L"前の項目"; });
    const POINT centre = PadCentre();
    SettingsRecord other;
    other.alwaysOnTop = false;
    other.hotKey = HotKeyCode('K', kCtrlAlt);
    other.x = 0.25f;
    other.keys[1] = {L"C:\\b.exe", L"", L"", L"ビー", 1, true};
    other.menus.resize(3);
    other.menus[2].caption = L"三番目";
    const std::wstring imported = folder.Path() + L"other.korvane.json";
    WriteFileBytes(imported, WriteSettingsFile(other));
    const std::wstring exported = folder.Path() + L"mine.korvane.json";
    const std::function<void()> clickImport = [] { Click(L"cmdImport"); };
    const std::function<void()> chooseImported = [&] {
        if (!ConfirmFileDialog(L"設定の読み込み", imported))
            ModalScript::RepeatStep();
    };

    // Asked, the user says no: nothing changes.
    const RegistryTree stored = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    {
        DialogWatcher refused(IDCANCEL);
        RunDialog({[] { Click(L"picTab(3)"); }, clickImport, chooseImported,
                   [] { Click(L"cmdCancel"); }});
        EXPECT_EQ(refused.Boxes().size(), 1u);
    }
    EXPECT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath), stored);

    DialogWatcher boxes(IDOK);
    bool applyEnabled = true, onTopShown = true;
    std::int32_t hotKeyShown = 0;
    LRESULT menuLines = 0;
    RunDialog({
        [&] { Click(L"picTab(3)"); },
        [&] {
            Click(L"chkPopupStatus");
            Click(L"cmdExport");
        },
        [&] {
            // A bare name gets the settings file's extension.
            if (!ConfirmFileDialog(L"設定の書き出し", folder.Path() + L"mine"))
                ModalScript::RepeatStep();
        },
        clickImport,
        chooseImported,
        [&] {
            applyEnabled = Enabled(L"cmdApply");
            onTopShown = Checked(L"chkAlwaysOnTop");
            hotKeyShown = HotKeyShown();
            Click(L"picTab(2)");
        },
        [&] {
            menuLines = SendMessageW(Item(L"lstMenuItem"), LB_GETCOUNT, 0, 0);
            Click(L"cmdCancel");
        },
    });
    const SettingsRecord mine = ReadSettingsFile(ReadFileBytes(exported));
    EXPECT_FALSE(mine.popupStatus);
    ASSERT_EQ(mine.menus.size(), 1u);
    EXPECT_EQ(mine.menus[0].caption, L"前の項目");

    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(L"ファイルのコマンド: 4 個 (ドラッグ 0、キー 1、メニュー 3)"),
              std::wstring::npos);
    EXPECT_FALSE(applyEnabled);
    EXPECT_FALSE(onTopShown);
    EXPECT_EQ(hotKeyShown, other.hotKey);
    EXPECT_EQ(menuLines, 3);
    EXPECT_EQ(StoredSettings(), other);
    EXPECT_FALSE(GetWindowLongW(pad->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_LT(PadCentre().x, centre.x);
}

// Settings kept in a file beside the program that cannot be read: the general
// page names the file, and OK asks before replacing it; a no keeps the file
// to the byte and the dialog open, a yes saves.
TEST_F(SettingsDialogTest, OkOverAKeptFileThatCannotBeReadAsksBeforeReplacingIt)
{
    const std::wstring file = folder.Path() + kPortableSettingsFileName;
    WriteFileBytes(file, "{");
    ChooseSettingsPlace(folder.Path());
    const ScopeExit back([&] {
        DeleteFileW(file.c_str());
        ChooseSettingsPlace(folder.Path());
    });
    StartPad();
    for (const int answer : {IDNO, IDYES}) {
        DialogWatcher boxes(answer);
        std::wstring place;
        bool openAfterOk = false;
        RunDialog({[] { Click(L"picTab(3)"); },
                   [&] {
                       place = TextOf(Item(L"txtSettingsPlace"));
                       Click(L"cmdOk");
                   },
                   [&] {
                       openAfterOk = IsWindowVisible(Dialog()) != FALSE;
                       if (openAfterOk)
                           Click(L"cmdCancel");
                   }});
        EXPECT_EQ(place, file);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].text.find(file), std::wstring::npos);
        EXPECT_EQ(openAfterOk, answer == IDNO);
        EXPECT_EQ(ReadFileBytes(file) == "{", answer == IDNO);
    }
    EXPECT_EQ(ReadSettingsFile(ReadFileBytes(file)).alwaysOnTop, AppSettings->AlwaysOnTop);
    EXPECT_TRUE(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath).Empty());
}
