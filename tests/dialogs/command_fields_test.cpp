#include <windows.h>


#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "base/path_text.h"
#include "commands/shell_command.h"
#include "forms/screen.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/support/probe_log.h"
#include "tests/support/registry_tree.h"
#include "tests/support/shell_input.h"

namespace {

// The entries of the popup menu on show, "-" for a separator and a "~" in
// front of a disabled one.
std::vector<std::wstring> OpenMenuEntries()
{
    const HWND window = FindWindowW(L"#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    std::vector<std::wstring> entries;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        entries.push_back((state & MF_SEPARATOR) ? L"-" : ((state & MF_GRAYED) ? L"~" : L"") + std::wstring(text));
    }
    return entries;
}

// The rightmost column in which a label has drawn anything.
int InkRight(HWND label)
{
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(label, &client);
    const HDC dc = GetDC(label);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int right = -1;
    for (int x = 0; x < client.right; ++x) {
        for (int y = 0; y < client.bottom; ++y) {
            if (GetPixel(dc, x, y) != face) {
                right = x;
                break;
            }
        }
    }
    ReleaseDC(label, dc);
    return right;
}

std::wstring SetterMessage(const std::wstring& command)
{
    try {
        ShellCommand().SetCommand(command);
    } catch (const NumberedError& error) {
        return error.Description();
    }
    return L"<accepted>";
}

class CommandFieldsTest : public SettingsDialogTest {
protected:
    // The probe as the program of direction 1, stored.
    cMain& StartPadWithProbe()
    {
        return StartPadWith([&](cSettings& settings) {
            settings.Drags().Item(1)->StoreCommandLine(QuoteIfSpaced(ProbeProgramPath()));
            settings.Drags().Item(1)->StoreWorkDir(L"");
        });
    }
};

}  // namespace

TEST_F(CommandFieldsTest, DroppedFilesGoIntoTheProgramBoxQuotedAfterABlankReplaceTheFolderAndAreStoredOnOk)
{
    const std::wstring files = folder.Path() + L"My Files\\";
    ASSERT_TRUE(CreateDirectoryW(files.c_str(), nullptr));
    const std::wstring report = files + L"report one.txt";
    WriteFileBytes(report, "text");
    StartPadWithProbe();
    const std::wstring program = QuoteIfSpaced(ProbeProgramPath());
    std::vector<bool> copied;
    std::vector<std::wstring> texts;
    bool applyEnabled = false;
    RunDialog({
        [&] {
            texts.push_back(TextOf(Item(L"txtCommand")));
            copied.push_back(DragFileOnto(Item(L"txtCommand"), report));
            texts.push_back(TextOf(Item(L"txtCommand")));
            applyEnabled = Enabled(L"cmdApply");
            SetWindowTextW(Item(L"txtCommand"), L"");
            copied.push_back(DragFileOnto(Item(L"txtCommand"), report));
            texts.push_back(TextOf(Item(L"txtCommand")));
            copied.push_back(DragFileOnto(Item(L"txtWorkDir"), files.substr(0, files.size() - 1)));
            texts.push_back(TextOf(Item(L"txtWorkDir")));
            Click(L"cmdOk");
        },
    });
    EXPECT_EQ(copied, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{program, program + L" \"" + report + L"\"",
                                                L"\"" + report + L"\"",
                                                files.substr(0, files.size() - 1)}));
    EXPECT_TRUE(applyEnabled);
    const RegistryKey up = ProductKey().SubKey(L"Drag").SubKey(L"Upward");
    EXPECT_EQ(up.ReadValue(L"ProgramFileName", L""), L"\"" + report + L"\"");
    EXPECT_EQ(up.ReadValue(L"WorkingDirectory", L""), files.substr(0, files.size() - 1));
}

TEST_F(CommandFieldsTest, AFolderFromTheBrowseMenusGoesInWithoutItsSeparatorAndARootKeepsIt)
{
    const std::wstring tools = folder.Path() + L"My Tools";
    ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
    StartPad();
    std::vector<std::wstring> entries;
    std::wstring command;
    std::wstring focus;
    std::wstring derivedWorkDir, workDir;
    RunDialog({
        [&] { Click(L"cmdReference(0)"); },
        [&] {
            entries = OpenMenuEntries();
            PostKey(Dialog(), 'D');
        },
        [&] {
            if (!ConfirmFolderBrowser(L"フォルダの参照", tools + L"\\"))
                ModalScript::RepeatStep();
        },
        [&] {
            command = TextOf(Item(L"txtCommand"));
            derivedWorkDir = TextOf(Item(L"txtWorkDir"));
            focus = Focused();
            Click(L"cmdReference(1)");
        },
        [&] {
            if (!ConfirmFolderBrowser(L"フォルダの参照", L"C:\\"))
                ModalScript::RepeatStep();
        },
        [&] {
            workDir = TextOf(Item(L"txtWorkDir"));
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"ファイル(&F) ...", L"フォルダ(&D) ...",
                                                  L"関連付けから検索(&A) ..."}));
    EXPECT_EQ(command, L"\"" + tools + L"\"");
    EXPECT_EQ(derivedWorkDir, folder.Path());  // the accepted program's folder, shown at once
    EXPECT_EQ(focus, L"txtCommand");
    // "C:" alone would name the drive's current folder, not its root.
    EXPECT_EQ(workDir, L"C:\\");
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(CommandFieldsTest, TypingADisplayNameUpdatesTheLabelOrListLineOnEveryKeystrokeAndEnablesApply)
{
    // Without a program the lists show "---" whatever the caption.
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(1)->StoreCommandLine(L"notepad.exe");
        settings.Menus().Add(0)->StoreCommandLine(L"notepad.exe");
    });
    std::vector<std::wstring> shown;
    bool applyBefore = true;
    bool applyAfter = false;
    RunDialog({
        [&] {
            applyBefore = Enabled(L"cmdApply");
            SetFocus(Item(L"txtCaption"));
            PostMessageW(Item(L"txtCaption"), WM_CHAR, L'a', 1);
        },
        [&] {
            shown.push_back(TextOf(Item(L"lblName(1)")));
            applyAfter = Enabled(L"cmdApply");
            PostMessageW(Item(L"txtCaption"), WM_CHAR, L'b', 1);
        },
        [&] {
            shown.push_back(TextOf(Item(L"lblName(1)")));
            Click(L"picTab(2)");
        },
        [&] {
            SetFocus(Item(L"txtCaption"));
            PostMessageW(Item(L"txtCaption"), WM_CHAR, L'!', 1);
        },
        [&] {
            shown.push_back(ListLines(Item(L"lstMenuItem")).at(0));
            Click(L"cmdCancel");
        },
    });
    EXPECT_FALSE(applyBefore);
    EXPECT_TRUE(applyAfter);
    // The focus selects the box's text, so the first key replaces it.
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"a", L"ab", L"!"}));
}

TEST_F(CommandFieldsTest, AnInvalidProgramShowsTheSettersMessageAndStopsTabbingPagesAndOk)
{
    StartPadWithProbe();
    const std::wstring invalid = folder.Path() + L"no such\\tool.exe";
    std::vector<std::wstring> focus;
    std::vector<size_t> boxes;
    int page = -1;
    bool openAfterOk = false;
    std::wstring command;
    // Wine gives the focus back to the dialog only once the X server says
    // the box has gone, which a loaded machine may say after the next tick.
    const auto FocusStillAway = [] {
        if (!Focused().empty())
            return false;
        ModalScript::RepeatStep();
        return true;
    };
    RunDialog({
        [&] {
            SetFocus(Item(L"txtCommand"));
            SetWindowTextW(Item(L"txtCommand"), invalid.c_str());
            PostKey(Item(L"txtCommand"), VK_TAB);
        },
        [&] {
            if (FocusStillAway())
                return;
            boxes.push_back(watcher.Boxes().size());
            focus.push_back(Focused());
            Click(L"picTab(1)");
        },
        [&] {
            if (FocusStillAway())
                return;
            boxes.push_back(watcher.Boxes().size());
            page = VisiblePage();
            focus.push_back(Focused());
            Click(L"cmdOk");
        },
        [&] {
            if (FocusStillAway())
                return;
            boxes.push_back(watcher.Boxes().size());
            openAfterOk = Dialog() != nullptr;
            focus.push_back(Focused());
            // Enter in the box presses OK, which asks the box first too.
            PostKey(Item(L"txtCommand"), VK_RETURN);
        },
        [&] {
            if (FocusStillAway())
                return;
            boxes.push_back(watcher.Boxes().size());
            openAfterOk = openAfterOk && Dialog() != nullptr;
            focus.push_back(Focused());
            // A label takes no focus, yet the typed text must not be lost to
            // the next direction's.
            Click(L"lblName(3)");
        },
        [&] {
            if (FocusStillAway())
                return;
            boxes.push_back(watcher.Boxes().size());
            focus.push_back(Focused());
            command = TextOf(Item(L"txtCommand"));
            // Cancel leaves whatever was typed.
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(command, invalid);
    EXPECT_EQ(boxes, (std::vector<size_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(watcher.Boxes().size(), 5u);
    EXPECT_EQ(focus, (std::vector<std::wstring>{L"txtCommand", L"txtCommand", L"txtCommand",
                                                L"txtCommand", L"txtCommand"}));
    EXPECT_EQ(page, 0);
    EXPECT_TRUE(openAfterOk);
    ASSERT_FALSE(watcher.Boxes().empty());
    EXPECT_EQ(watcher.Boxes()[0].text, SetterMessage(invalid));
    EXPECT_EQ(watcher.Boxes()[0].caption, L"Korvane");
    EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Exclamation);
}

TEST_F(CommandFieldsTest, AnInvalidShortcutOnTheMenuPageLeavesTheListAsItWasApartFromTheSelection)
{
    const std::wstring invalid = folder.Path() + L"broken.lnk";
    WriteFileBytes(invalid, "not a shortcut at all");
    StartPadWith([](cSettings& settings) {
        for (const wchar_t* caption : {L"First", L"Second"}) {
            const auto entry = settings.Menus().Add(settings.Menus().Count());
            entry->StoreCommandLine(L"notepad.exe");
            entry->Caption = caption;
        }
    });
    std::vector<std::wstring> before;
    std::vector<std::wstring> after;
    RunDialog({
        [&] { Click(L"picTab(2)"); },
        [&] {
            SendMessageW(Item(L"lstMenuItem"), LB_SETCURSEL, 1, 0);
            before = ListLines(Item(L"lstMenuItem"));
            Click(L"cmdOther");
        },
        [&] { PostKey(Dialog(), 'I'); },
        [&] {
            if (!ConfirmFileDialog(L"ファイルの参照", invalid))
                ModalScript::RepeatStep();
        },
        [&] {
            after = ListLines(Item(L"lstMenuItem"));
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(before, (std::vector<std::wstring>{L"First", L"Second"}));
    EXPECT_EQ(after, before);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, L"ショートカットファイルが無効です。");
    EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Exclamation);
}

TEST_F(CommandFieldsTest, TestRunAndSaveAreDisabledForAnEmptySlotWhileLoadStaysEnabled)
{
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(1)->Clear();
        settings.Drags().Item(3)->StoreCommandLine(L"notepad.exe");
    });
    std::vector<std::wstring> empty;
    std::vector<std::wstring> filled;
    RunDialog({
        [&] { Click(L"cmdOther"); },
        [&] {
            empty = OpenMenuEntries();
            PostKey(Dialog(), VK_ESCAPE);
        },
        [&] { Click(L"lblName(3)"); },
        [&] { Click(L"cmdOther"); },
        [&] {
            filled = OpenMenuEntries();
            PostKey(Dialog(), VK_ESCAPE);
        },
        [&] { Click(L"cmdCancel"); },
    });
    EXPECT_EQ(empty, (std::vector<std::wstring>{L"~テスト実行(&T)", L"-",
                                                L"ショートカットから読み込む(&I) ...",
                                                L"~シュートカットとして保存(&E) ..."}));
    EXPECT_EQ(filled, (std::vector<std::wstring>{L"テスト実行(&T)", L"-",
                                                 L"ショートカットから読み込む(&I) ...",
                                                 L"シュートカットとして保存(&E) ..."}));
}

TEST_F(CommandFieldsTest, ATestRunStartsTheCommandWithItsUnsavedValues)
{
    ProbeLogScope log{folder.Path()};
    StartPadWithProbe();
    const RegistryTree stored = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    const std::wstring typed = QuoteIfSpaced(ProbeProgramPath()) + L" unsaved \"two words\"";
    std::vector<ProbeRecord> records;
    RunDialog({
        [&] {
            SetFocus(Item(L"txtCommand"));
            SetWindowTextW(Item(L"txtCommand"), typed.c_str());
            // Pressing the button validates the box first.
            Click(L"cmdOther");
        },
        [&] { PostKey(Dialog(), 'T'); },
        [&] {
            records = log.WaitFor(1);
            Click(L"cmdCancel");
        },
    });
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(L" unsaved \"two words\""), std::wstring::npos);
    EXPECT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath), stored);
}

TEST_F(CommandFieldsTest, ACommandSavedAsAShortcutLoadsBackAsANewMenuEntry)
{
    const std::wstring shortcut = folder.Path() + L"saved.lnk";
    StartPadWith([](cSettings& settings) {
        const auto command = settings.Drags().Item(1);
        command->StoreCommandLine(L"notepad.exe notes.txt");
        command->Caption = L"Notes";
    });
    std::vector<std::wstring> lines;
    std::wstring command;
    bool applyEnabled = false;
    RunDialog({
        [&] { Click(L"cmdOther"); },
        [&] { PostKey(Dialog(), 'E'); },
        [&] {
            if (!ConfirmFileDialog(L"ファイルの参照", shortcut))
                ModalScript::RepeatStep();
        },
        [&] { Click(L"picTab(2)"); },
        [&] { Click(L"cmdOther"); },
        [&] { PostKey(Dialog(), 'I'); },
        [&] {
            if (!ConfirmFileDialog(L"ファイルの参照", shortcut))
                ModalScript::RepeatStep();
        },
        [&] {
            lines = ListLines(Item(L"lstMenuItem"));
            command = TextOf(Item(L"txtCommand"));
            applyEnabled = Enabled(L"cmdApply");
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Notes"}));
    EXPECT_NE(command.find(L"notes.txt"), std::wstring::npos);
    EXPECT_TRUE(applyEnabled);
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(CommandFieldsTest, TheKeyTitleShowsTheAmpersandOfAKeysName)
{
    StartPad();
    std::wstring title;
    int ink = -1;
    SIZE whole{};
    SIZE asCaption{};
    RunDialog({
        [&] { Click(L"picTab(1)"); },
        [&] {
            // Typing a key's character selects its line, as in any list.
            SetFocus(Item(L"lstAccessKey"));
            PressUntil(L"6", [] { return TextOf(Item(L"lblTitle")) == L"キー: 6[&]"; });
            const HWND label = Item(L"lblTitle");
            title = TextOf(label);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            whole = MeasureText(label, font, title);
            asCaption = MeasureCaption(label, font, title);
            ink = InkRight(label);
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(title, L"キー: 6[&]");
    // Drawn as a caption, "&]" would be an underlined "]" and end sooner.
    EXPECT_GT(ink, asCaption.cx + 2);
    EXPECT_LE(ink, whole.cx + 1);
}

TEST_F(CommandFieldsTest, AStoredWindowStateOutsideTheListSelectsNothingAndStaysStored)
{
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(2)->WindowState = 2;
        settings.Drags().Item(3)->WindowState = -5;
    });
    std::vector<LRESULT> shown;
    const auto showState = [&] {
        shown.push_back(SendMessageW(Item(L"cboWindowState"), CB_GETCURSEL, 0, 0));
    };
    RunDialog({
        [&] { Click(L"lblName(2)"); },
        [&] {
            showState();
            // A state the user picks from the list is kept.
            const HWND state = Item(L"cboWindowState");
            SendMessageW(state, CB_SETCURSEL, 1, 0);
            SendMessageW(GetParent(state), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(state), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(state));
            Click(L"lblName(3)");
        },
        [&] {
            showState();
            Click(L"cmdOk");
        },
    });
    EXPECT_EQ(shown, (std::vector<LRESULT>{2, CB_ERR}));
    EXPECT_EQ(AppSettings->Drags().Item(2)->WindowState, 1);
    EXPECT_EQ(AppSettings->Drags().Item(3)->WindowState, -5);
}
