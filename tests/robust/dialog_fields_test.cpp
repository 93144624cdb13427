// The settings dialog's command fields with 300, 1000 and 33000 characters,
// and damaged shortcut files through its load command: the user's message or
// the stored text, and nothing else changed.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/numbered_error.h"
#include "base/path_text.h"
#include "commands/shell_command.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/support/probe_log.h"
#include "tests/support/registry_tree.h"
#include "tests/support/shell_input.h"

namespace {

std::wstring SetterMessage(const std::function<void(ShellCommand&)>& set)
{
    ShellCommand command;
    try {
        set(command);
    } catch (const NumberedError& error) {
        return error.Description();
    }
    return L"<accepted>";
}

// Puts text into a field as a paste does and leaves it with the Tab key.
void EnterText(HWND field, const std::wstring& text)
{
    SetFocus(field);
    SetWindowTextW(field, text.c_str());
    PostKey(field, VK_TAB);
}

class DialogFieldsTest : public SettingsDialogTest {};

}  // namespace

TEST_F(DialogFieldsTest, LongTextInTheCommandFieldsEndsInTheMessageOrIsStoredWhole)
{
    StartPad();
    for (size_t length : {size_t{300}, size_t{1000}, size_t{33000}}) {
        SCOPED_TRACE(length);
        const size_t boxesBefore = watcher.Boxes().size();
        std::wstring badProgram, goodCommand, badFolder, caption;
        std::wstring focusAfterBad, focusAfterFolder, shownCommand;
        RunDialog({
            [&] {
                EnterText(Item(L"txtCommand"), L"C:\\" + std::wstring(length, L'a') + L".exe");
                badProgram = TextOf(Item(L"txtCommand"));
            },
            [&] {
                focusAfterBad = Focused();
                EnterText(Item(L"txtCommand"),
                          QuoteIfSpaced(ProbeProgramPath()) + L" " + std::wstring(length, L'x'));
                goodCommand = TextOf(Item(L"txtCommand"));
            },
            [&] {
                shownCommand = TextOf(Item(L"txtCommand"));
                EnterText(Item(L"txtWorkDir"), L"C:\\" + std::wstring(length, L'w'));
                badFolder = TextOf(Item(L"txtWorkDir"));
            },
            [&] {
                focusAfterFolder = Focused();
                SetWindowTextW(Item(L"txtWorkDir"), L"");
                SetWindowTextW(Item(L"txtCaption"), std::wstring(length, L'c').c_str());
                caption = TextOf(Item(L"txtCaption"));
                Click(L"cmdOk");
            },
        });
        ASSERT_EQ(Dialog(), nullptr);
        // The field may hold less than was put in (its own limit); what it
        // holds is what the program works with, whole.
        ASSERT_FALSE(badProgram.empty());
        const auto& boxes = watcher.Boxes();
        ASSERT_EQ(boxes.size(), boxesBefore + 2);
        EXPECT_TRUE(boxes[boxesBefore].text ==
                    SetterMessage([&](ShellCommand& c) { c.SetCommand(badProgram); }));
        EXPECT_EQ(focusAfterBad, L"txtCommand");
        EXPECT_TRUE(boxes[boxesBefore + 1].text ==
                    SetterMessage([&](ShellCommand& c) { c.SetWorkDir(badFolder); }));
        EXPECT_EQ(focusAfterFolder, L"txtWorkDir");
        EXPECT_TRUE(shownCommand == goodCommand);

        const RegistryKey stored = ProductKey().SubKey(L"Drag").SubKey(L"Upward");
        const std::wstring arguments = goodCommand.substr(goodCommand.find(L' ') + 1);
        EXPECT_TRUE(stored.ReadValue(L"Arguments", L"") == arguments);
        EXPECT_TRUE(stored.ReadValue(L"Caption", L"") == caption);
        EXPECT_EQ(stored.ReadValue(L"Caption", L"").size(), caption.size());
    }
}

TEST_F(DialogFieldsTest, DamagedShortcutsThroughTheLoadCommandShowTheMessageAndChangeNothing)
{
    ShellCommand source;
    source.StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" -s");
    source.Caption = L"元のリンク";
    ASSERT_TRUE(source.Save(folder.Path() + L"good.lnk"));
    const std::string good = ReadFileBytes(folder.Path() + L"good.lnk");
    const std::vector<std::string> damaged = {
        "",                              // empty
        good.substr(0, 40),              // inside the header
        good.substr(0, good.size() / 2), // inside the target
        std::string(4000, '\x7F'),       // noise
    };
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(1)->StoreCommandLine(L"kept.exe -k");
        settings.Drags().Item(1)->Caption = L"kept";
    });
    const RegistryTree before = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        const std::wstring file = folder.Path() + L"damaged" + std::to_wstring(i) + L".lnk";
        WriteFileBytes(file, damaged[i]);
        const size_t boxesBefore = watcher.Boxes().size();
        std::wstring command, caption;
        bool applyEnabled = true;
        RunDialog({
            [&] { Click(L"cmdOther"); },
            [&] { PostKey(Dialog(), 'I'); },
            [&] {
                if (!ConfirmFileDialog(L"ファイルの参照", file))
                    ModalScript::RepeatStep();
            },
            [&] {
                command = TextOf(Item(L"txtCommand"));
                caption = TextOf(Item(L"txtCaption"));
                applyEnabled = Enabled(L"cmdApply");
                Click(L"cmdOk");
            },
        });
        ASSERT_EQ(watcher.Boxes().size(), boxesBefore + 1);
        EXPECT_EQ(watcher.Boxes().back().text, L"ショートカットファイルが無効です。");
        EXPECT_EQ(command, L"kept.exe -k");
        EXPECT_EQ(caption, L"kept");
        EXPECT_FALSE(applyEnabled);
    }
    EXPECT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath), before);
}
