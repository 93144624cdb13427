#include <windows.h>

#include <gtest/gtest.h>

#include "base/program_values.h"
#include "base/slot_names.h"
#include "base/system.h"
#include "commands/command_menu.h"
#include "commands/shell_command.h"
#include "commands/shell_commands.h"
#include "forms/screen.h"
#include "objlib/shortcut_link.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/probe_log.h"
#include "tests/support/sandbox.h"

namespace {

std::wstring CurrentFolder()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAppFolder = AppFolder;
        AppFolder = BuildFolder();  // where korvane.dll is built
        CreateDirectoryW((folder.Path() + L"P F").c_str(), nullptr);
        spacedProbe = folder.Path() + L"P F\\korvane_probe.exe";
        ASSERT_TRUE(CopyFileW(ProbeProgramPath().c_str(), spacedProbe.c_str(), FALSE));
        CreateDirectoryW((folder.Path() + L"work").c_str(), nullptr);
    }
    void TearDown() override { AppFolder = savedAppFolder; }

    // Nothing was started: no record turns up within a second.
    void ExpectNothingLaunched() { EXPECT_TRUE(log.WaitFor(1, 1000).empty()); }

    TempFolder folder;
    ProbeLogScope log{folder.Path()};
    MenuDriver driver;
    std::wstring spacedProbe;
    std::wstring savedAppFolder;
};

}  // namespace

TEST_F(LaunchTest, DragCommandStartsWithItsStoredFieldsAndShowCommand)
{
    ScopedEnvironment dir(L"KORVANE_DIR", folder.Path());
    ShellCommand command;
    command.StoreCommandLine(L"\"%KORVANE_DIR%P F\\korvane_probe.exe\" -a \"b c\" %KORVANE_DIR%");
    command.StoreWorkDir(L"%KORVANE_DIR%work");
    command.WindowState = 3;
    command.SetFocus = false;
    DialogWatcher watcher;
    command.Execute(driver.Owner(), 0, 0);

    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    // The shell expands the program and the folder; arguments go as they are.
    EXPECT_NE(records[0].commandLine.find(folder.Path() + L"P F\\korvane_probe.exe"),
              std::wstring::npos)
        << records[0].commandLine;
    EXPECT_TRUE(EndsWith(records[0].commandLine, L" -a \"b c\" %KORVANE_DIR%"))
        << records[0].commandLine;
    EXPECT_EQ(records[0].currentFolder + L"\\", folder.Path() + L"work\\");
    EXPECT_TRUE(records[0].showWindowGiven);
    EXPECT_EQ(records[0].showWindow, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_FALSE(WaitPointerShown());
}

TEST_F(LaunchTest, QuotedWorkingFolderIsTheFolderItNames)
{
    CreateDirectoryW((folder.Path() + L"a b").c_str(), nullptr);
    ShellCommand command;
    command.StoreCommandLine(L"\"" + spacedProbe + L"\"");
    command.StoreWorkDir(L"\"" + folder.Path() + L"a b\"");
    DialogWatcher watcher;
    command.Execute(driver.Owner(), 0, 0);
    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].currentFolder + L"\\", folder.Path() + L"a b\\");
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(LaunchTest, WindowStateAndFocusChooseTheShowCommand)
{
    struct Case {
        std::int32_t state;
        bool focus;
        int show;
    };
    const Case cases[] = {{0, true, SW_SHOW}, {1, false, SW_SHOWNOACTIVATE},
                          {2, false, SW_SHOWMAXIMIZED}, {3, true, SW_SHOWMINIMIZED}};
    ShellCommand command;
    command.SetKind(CommandListKind::Keys);
    command.StoreCommandLine(L"\"" + spacedProbe + L"\"");
    size_t launched = 0;
    for (const Case& c : cases) {
        command.WindowState = c.state;
        command.SetFocus = c.focus;
        command.Execute(driver.Owner(), 0, 0);
        const std::vector<ProbeRecord> records = log.WaitFor(++launched);
        ASSERT_EQ(records.size(), launched);
        EXPECT_EQ(records.back().showWindow, c.show) << c.state << c.focus;
    }
}

TEST_F(LaunchTest, EmptyDragCommandLaunchesNothing)
{
    ShellCommand command;
    command.Caption = L"caption only";
    command.StoreWorkDir(folder.Path());
    DialogWatcher watcher;
    command.Execute(driver.Owner(), 0, 0);
    ExpectNothingLaunched();
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(LaunchTest, FailingLaunchShowsTheSystemsTextUnderErrorAndRestoresThePointer)
{
    // A shortcut whose target is the shortcut itself: the shell would follow
    // it until the program ran out of stack.
    const std::wstring loop = folder.Path() + L"loop.lnk";
    WriteFileBytes(loop, "");
    ShortcutLink link;
    link.TargetPath = loop;
    ASSERT_TRUE(link.Save(loop));
    // A text file named as a program: the system's text names its file.
    const std::wstring text = folder.Path() + L"text.exe";
    WriteFileBytes(text, "not a program\r\n");
    const struct {
        std::wstring commandLine;
        DWORD error;
        std::wstring named;
    } cases[] = {
        {folder.Path() + L"missing.exe -x", ERROR_FILE_NOT_FOUND, L""},
        {L"\"" + loop + L"\"", ERROR_CANT_RESOLVE_FILENAME, L""},
        {text, ERROR_BAD_EXE_FORMAT, text},
    };
    for (const auto& c : cases) {
        ShellCommand command;
        command.StoreCommandLine(c.commandLine);
        DialogWatcher watcher;
        command.Execute(driver.Owner(), 0, 0);
        ASSERT_EQ(watcher.Boxes().size(), 1u) << c.commandLine;
        EXPECT_EQ(watcher.Boxes()[0].caption, L"Error");
        EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Exclamation);
        SetLastError(c.error);
        std::wstring expected = LastErrorText();
        if (!c.named.empty()) {
            ASSERT_NE(expected.find(L"%1"), std::wstring::npos) << expected;
            expected.replace(expected.find(L"%1"), 2, c.named);
        }
        EXPECT_EQ(watcher.Boxes()[0].text, expected);
        EXPECT_FALSE(WaitPointerShown());
    }
}

TEST_F(LaunchTest, MenuEntryOpensItsMenuAtThePointAndStartsWithoutWorkingFolder)
{
    ShellCommand command;
    command.SetKind(CommandListKind::Menus);
    command.StoreCommandLine(L"\"" + spacedProbe + L"\" x \"y z\"");
    command.Caption = L"プローブ";
    RECT where{};
    std::vector<std::wstring> shown;
    driver.Then([&](MenuDriver& d) {
        const OpenMenu menu = d.Innermost();
        shown = menu.Texts();
        GetWindowRect(menu.window, &where);
        d.Choose(L"プローブ");
    });
    command.Execute(driver.Owner(), 150, 160);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"プローブ"});
    EXPECT_EQ(where.left, 150);
    EXPECT_EQ(where.top, 160);

    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(EndsWith(records[0].commandLine, L" x \"y z\"")) << records[0].commandLine;
    EXPECT_EQ(records[0].showWindow, SW_SHOW);
    EXPECT_EQ(records[0].currentFolder, CurrentFolder());
}

TEST_F(LaunchTest, MenuEntryWithNothingChosenLaunchesAndShowsNothing)
{
    ShellCommand command;
    command.SetKind(CommandListKind::Menus);
    command.StoreCommandLine(L"\"" + spacedProbe + L"\"");
    driver.Then([](MenuDriver& d) { d.Press(VK_ESCAPE); });
    DialogWatcher watcher;
    command.Execute(driver.Owner(), 40, 40);
    EXPECT_TRUE(driver.AllStepsRan());
    ExpectNothingLaunched();
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(LaunchTest, CommandMenuRunsBuiltInActionsWhileItCountsAsOpen)
{
    SetCursorPos(210, 190);
    for (std::int32_t action = 1; action <= 3; ++action) {
        RECT where{};
        driver.Then([&](MenuDriver& d) {
            GetWindowRect(d.Innermost().window, &where);
            d.Choose(kBuiltInCaptions[action - 1]);
        });
        bool menuOpen = false, openDuringAction = false;
        std::int32_t ran = 0;
        ShowCommandMenu(driver.Owner(), CompiledMenu(), 1, menuOpen, [&](std::int32_t chosen) {
            ran = chosen;
            openDuringAction = menuOpen;
        });
        EXPECT_EQ(ran, action);
        EXPECT_TRUE(openDuringAction);
        EXPECT_FALSE(menuOpen);
        EXPECT_EQ(where.left, 210);
        EXPECT_EQ(where.top, 190);
    }
    EXPECT_TRUE(driver.AllStepsRan());
}

TEST_F(LaunchTest, CommandMenuOpensTheChosenEntryWithShowAndNoWorkingFolder)
{
    ShellCommands menus(CommandListKind::Menus);
    menus.Add(-1)->Caption = L"-";
    const auto probe = menus.Add(-1);
    probe->StoreCommandLine(L"\"" + spacedProbe + L"\" 引数 \"a b\"");
    probe->Caption = L"プローブ";
    const CompiledMenu& table = menus.Compile();

    driver.Then([](MenuDriver& d) { d.Choose(L"プローブ"); });
    bool menuOpen = false;
    bool actionRan = false;
    ShowCommandMenu(driver.Owner(), table, 2, menuOpen,
                    [&](std::int32_t) { actionRan = true; });
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_FALSE(actionRan);
    EXPECT_FALSE(menuOpen);

    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(EndsWith(records[0].commandLine, L" 引数 \"a b\"")) << records[0].commandLine;
    EXPECT_EQ(records[0].showWindow, SW_SHOW);
    EXPECT_EQ(records[0].currentFolder, CurrentFolder());

    driver.Then([](MenuDriver& d) { d.Press(VK_ESCAPE); });
    ShowCommandMenu(driver.Owner(), table, 2, menuOpen,
                    [&](std::int32_t) { actionRan = true; });
    EXPECT_FALSE(actionRan);
    EXPECT_FALSE(menuOpen);
}

TEST_F(LaunchTest, MenuEntriesWithoutAnExactAnsiPathOrTooLongStartTheirOwnFullCommand)
{
    // é has no exact form in code page 932 and reads as e or ? there; a
    // program of that other name lies ready to be started by mistake.
    std::wstring plain, own;
    for (const wchar_t* name : {L"cafe", L"café"}) {
        plain = own;
        own = folder.Path() + name + L"\\korvane_probe.exe";
        CreateDirectoryW((folder.Path() + name).c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(ProbeProgramPath().c_str(), own.c_str(), FALSE));
    }
    ShellCommands menus(CommandListKind::Menus);
    const auto entry = menus.Add(-1);
    entry->StoreCommandLine(L"\"" + own + L"\" 한글 \"a b\"");
    entry->Caption = L"カフェ";
    // Arguments longer than the menu library's answer buffers.
    const std::wstring longArguments = L" " + std::wstring(300, L'x');
    const auto longEntry = menus.Add(-1);
    longEntry->StoreCommandLine(L"\"" + spacedProbe + L"\"" + longArguments);
    longEntry->Caption = L"長い";
    bool menuOpen = false;
    for (const wchar_t* caption : {L"カフェ", L"長い"}) {
        driver.Then([caption](MenuDriver& d) { d.Choose(caption); });
        ShowCommandMenu(driver.Owner(), menus.Compile(), 2, menuOpen, [](std::int32_t) {});
    }
    // The test run of the settings dialog shows the entry's own menu.
    driver.Then([](MenuDriver& d) { d.Choose(L"カフェ"); });
    DialogWatcher watcher;
    entry->Execute(driver.Owner(), 40, 40);
    // A program that has an exact form keeps arguments that have none.
    const auto plainEntry = menus.Add(-1);
    plainEntry->StoreCommandLine(L"\"" + plain + L"\" 한글 \"a b\"");
    plainEntry->Caption = L"ケーキ";
    driver.Then([](MenuDriver& d) { d.Choose(L"ケーキ"); });
    ShowCommandMenu(driver.Owner(), menus.Compile(), 2, menuOpen, [](std::int32_t) {});
    EXPECT_TRUE(driver.AllStepsRan());

    const std::vector<ProbeRecord> records = log.WaitFor(4);
    ASSERT_EQ(records.size(), 4u);
    int longOnes = 0, plainStarts = 0;
    for (const ProbeRecord& record : records) {
        const std::wstring& line = record.commandLine;
        if (EndsWith(line, longArguments)) {
            ++longOnes;
            continue;
        }
        plainStarts += line.find(plain) != std::wstring::npos;
        EXPECT_TRUE(line.find(own) != std::wstring::npos || line.find(plain) != std::wstring::npos)
            << line;
        EXPECT_TRUE(EndsWith(line, L" 한글 \"a b\"")) << line;
    }
    EXPECT_EQ(longOnes, 1);
    EXPECT_EQ(plainStarts, 1);
    EXPECT_TRUE(watcher.Boxes().empty());
}
