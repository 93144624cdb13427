// Command lines, folders and captions of 300, 1000 and 33000 characters in
// every field of a command: each ends in the user's message or in a command
// that works, never cut short silently, never beyond a buffer.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/numbered_error.h"
#include "base/system.h"
#include "base/slot_names.h"
#include "commands/shell_command.h"
#include "commands/shell_commands.h"
#include "objlib/persist.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/probe_log.h"
#include "tests/support/sandbox.h"

namespace {

const size_t kLengths[] = {300, 1000, 33000};

// A folder below base whose path is `length` characters long (without the
// final separator), made when the file system allows it. Its name is cut
// into parts the file system accepts.
std::wstring LongFolderPath(const std::wstring& base, size_t length)
{
    std::wstring path = base.substr(0, base.size() - 1);
    while (path.size() < length) {
        const size_t part = std::min<size_t>(120, length - path.size() - 1);
        path += L'\\' + std::wstring(std::max<size_t>(part, 1), L'd');
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path;
}

bool FolderThere(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW((L"\\\\?\\" + path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class LongTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    ShellCommand DragCommand() const
    {
        ShellCommand command;
        command.SetKind(CommandListKind::Drags);
        return command;
    }

    // Runs the command; true when the probe started with the given command
    // line end and folder, false when the launch failed with a message.
    // Anything else (no start and no message, or both) fails the test.
    bool LaunchedOrRefused(const ShellCommand& command, const std::wstring& argumentsEnd,
                           const std::wstring& folderWanted)
    {
        const size_t before = log.Records().size();
        DialogWatcher watcher;
        command.Execute(owner, 0, 0);
        const auto records = log.WaitFor(before + 1, watcher.Boxes().empty() ? 10000 : 500);
        const bool started = records.size() > before;
        EXPECT_NE(started, !watcher.Boxes().empty())
            << "a launch must either start the program or say why not";
        if (!watcher.Boxes().empty()) {
            EXPECT_EQ(watcher.Boxes()[0].caption, L"Error");
            EXPECT_FALSE(watcher.Boxes()[0].text.empty());
        }
        if (started) {
            const ProbeRecord& record = records.back();
            EXPECT_TRUE(record.commandLine.ends_with(argumentsEnd))
                << record.commandLine.size() << " characters arrived";
            if (!folderWanted.empty()) {
                EXPECT_TRUE(record.currentFolder == folderWanted);
            }
        }
        return started;
    }

    TempFolder folder;
    ProbeLogScope log{folder.Path()};
    HWND owner = nullptr;
};

}  // namespace

TEST_F(LongTextTest, AProgramThatCannotBeFoundIsNamedInTheMessageAndNothingChanges)
{
    for (size_t length : kLengths) {
        SCOPED_TRACE(length);
        ShellCommand command = DragCommand();
        command.StoreCommandLine(L"keep.exe -k");
        command.Caption = L"keep";
        const std::wstring typed = L"C:/" + std::wstring(length, L'a') + L".exe";
        try {
            command.SetCommand(typed + L" -x");
            ADD_FAILURE() << "a missing program was taken";
        } catch (const NumberedError& error) {
            EXPECT_EQ(error.Number(), kErrInvalidValue);
            EXPECT_TRUE(error.Description().find(L"'" + typed + L"'") != std::wstring::npos);
        }
        EXPECT_EQ(command.Command(), L"keep.exe -k");
        EXPECT_EQ(command.Caption, L"keep");
        EXPECT_TRUE(command.WorkDir().empty());
    }
}

TEST_F(LongTextTest, LongArgumentsAreKeptWholeAndEitherArriveWholeOrTheLaunchSaysWhy)
{
    for (size_t length : kLengths) {
        SCOPED_TRACE(length);
        std::wstring arguments(length, L'x');
        for (size_t i = 37; i < length; i += 37)
            arguments[i] = L' ';
        arguments.back() = L'z';
        ShellCommand command = DragCommand();
        command.SetCommand(L"\"" + ProbeProgramPath() + L"\" " + arguments);
        EXPECT_TRUE(command.Argument() == arguments);
        EXPECT_EQ(command.Program(), ProbeProgramPath());
        // Up to the platform's command-line limit the program gets them all;
        // beyond it the user is told, rather than a shortened line started.
        EXPECT_EQ(LaunchedOrRefused(command, L" " + arguments, L""), length < 32000);
    }
}

TEST_F(LongTextTest, LongWorkingFoldersAreCheckedStoredWholeAndUsedOrRefused)
{
    // The longest folder a program can start in, then the long ones.
    for (size_t length : {size_t{MAX_PATH - 2}, size_t{300}, size_t{1000}, size_t{33000}}) {
        SCOPED_TRACE(length);
        const std::wstring path = LongFolderPath(folder.Path(), length);
        ShellCommand command = DragCommand();
        command.SetCommand(L"\"" + ProbeProgramPath() + L"\" -w");
        const std::wstring before = command.WorkDir();
        try {
            command.SetWorkDir(path);
            EXPECT_TRUE(FolderThere(path)) << "a folder that is not there was taken";
            EXPECT_TRUE(command.WorkDir() == path);
            EXPECT_EQ(LaunchedOrRefused(command, L" -w", path), length <= MAX_PATH - 2);
        } catch (const NumberedError& error) {
            EXPECT_EQ(error.Number(), kErrInvalidValue);
            EXPECT_TRUE(error.Description().find(L"'" + path + L"'") != std::wstring::npos);
            EXPECT_EQ(command.WorkDir(), before);
        }
        // Paths the file system holds are taken.
        if (length <= 1000) {
            EXPECT_TRUE(command.WorkDir() == path);
        }
    }
}

TEST_F(LongTextTest, LongFieldsGoThroughTheRegistryAndTheMenuTableUnchanged)
{
    for (size_t length : kLengths) {
        SCOPED_TRACE(length);
        RegistrySandbox sandbox;
        ShellCommands menus(CommandListKind::Menus);
        ShellCommand& entry = *menus.Add(-1);
        entry.StoreCommandLine(L"\"C:\\" + std::wstring(length, L'p') + L".exe\" " +
                               std::wstring(length, L'a'));
        entry.Caption = std::wstring(length, L'c');
        ShellCommands drags(CommandListKind::Drags);
        ShellCommand& drag = *drags.Item(1);
        drag.StoreCommandLine(entry.Command());
        drag.StoreWorkDir(L"C:\\" + std::wstring(length, L'w'));
        drag.Caption = entry.Caption;

        RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, L"Software\\Tessaly\\Long");
        RegistryKey menuKey = key.SubKey(L"Menu"), dragKey = key.SubKey(L"Drag");
        Persistence().PersistOf(menus).Save(menuKey);
        Persistence().PersistOf(drags).Save(dragKey);
        ShellCommands menusBack(CommandListKind::Menus), dragsBack(CommandListKind::Drags);
        Persistence().PersistOf(menusBack).Load(menuKey);
        Persistence().PersistOf(dragsBack).Load(dragKey);
        ASSERT_EQ(menusBack.Count(), 1);
        // (Compared without printing: a failure would show megabytes.)
        EXPECT_TRUE(menusBack.Item(0)->Command() == entry.Command());
        EXPECT_TRUE(menusBack.Item(0)->Caption == entry.Caption);
        EXPECT_TRUE(dragsBack.Item(1)->Command() == drag.Command());
        EXPECT_TRUE(dragsBack.Item(1)->WorkDir() == drag.WorkDir());
        EXPECT_TRUE(dragsBack.Item(1)->Caption == drag.Caption);

        const CompiledMenu& compiled = menus.Compile();
        const CompiledMenuEntry* table = compiled.Table();
        ASSERT_NE(table, nullptr);
        EXPECT_TRUE(std::string(table[0].caption) == ToAnsi(entry.Caption));
        // What the menu library answers for the entry opens its whole text,
        // though the library's buffers hold no more than 260 bytes.
        const MenuChoice chosen = compiled.Choice(table[0].program, table[0].arguments);
        EXPECT_TRUE(chosen.file == entry.Program());
        EXPECT_TRUE(chosen.parameters == entry.Argument());
    }
}

TEST_F(LongTextTest, AShortcutWithLongFieldsIsWrittenAndReadBackWholeOrNotAtAll)
{
    for (size_t length : kLengths) {
        SCOPED_TRACE(length);
        ShellCommand command = DragCommand();
        command.StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" " + std::wstring(length, L'a'));
        command.Caption = std::wstring(length, L'c');
        const std::wstring file = folder.Path() + L"long" + std::to_wstring(length) + L".lnk";
        const bool saved = command.Save(file);
        // Refused as a whole, no file that holds half of the command stays.
        EXPECT_EQ(saved, GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (length <= 1000) {
            EXPECT_TRUE(saved);
        }
        if (!saved)
            continue;
        ShellCommand back = DragCommand();
        back.StoreCommandLine(L"old.exe -o");
        back.Caption = L"old";
        if (back.Load(file)) {
            EXPECT_EQ(back.Argument().size(), command.Argument().size());
            EXPECT_TRUE(back.Argument() == command.Argument());
            EXPECT_EQ(back.Caption.size(), command.Caption.size());
            EXPECT_TRUE(back.Caption == command.Caption);
            EXPECT_TRUE(back.Program() == command.Program());
        } else {
            EXPECT_EQ(back.Command(), L"old.exe -o");
            EXPECT_EQ(back.Caption, L"old");
        }
    }
}
