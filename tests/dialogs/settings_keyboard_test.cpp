#include <windows.h>

#include <vector>

#include "base/path_text.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/support/probe_log.h"

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
