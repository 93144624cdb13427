#include "commands/shell_command.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "base/path_text.h"
#include "base/slot_names.h"
#include "tests/support/sandbox.h"

namespace {

std::wstring CreateFolder(const std::wstring& path)
{
    CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    return path + L'\\';
}

void Touch(const std::wstring& path) { WriteFileBytes(path, "MZ"); }

// Fails with the expected message and leaves the command as it was.
template <typename Change>
void ExpectRejected(ShellCommand& command, Change change, const std::wstring& message)
{
    const std::wstring before = command.Command(), workDir = command.WorkDir(),
                       caption = command.Caption;
    try {
        change();
        ADD_FAILURE() << "accepted";
    } catch (const NumberedError& error) {
        EXPECT_EQ(error.Number(), kErrInvalidValue);
        EXPECT_EQ(error.Description(), message);
    }
    EXPECT_EQ(command.Command(), before);
    EXPECT_EQ(command.WorkDir(), workDir);
    EXPECT_EQ(command.Caption, caption);
}

class ShellCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tools = CreateFolder(folder.Path() + L"Tools");
        spaced = CreateFolder(folder.Path() + L"P F");
        Touch(tools + L"tool.exe");
        Touch(spaced + L"app.exe");
    }

    TempFolder folder;
    std::wstring tools, spaced;
    ShellCommand command;
};

}  // namespace

TEST_F(ShellCommandTest, NewCommandIsEmptyUntilItHasAProgramOrCaption)
{
    EXPECT_TRUE(command.IsEmpty());
    EXPECT_EQ(command.DisplayCaption(), L"---");
    EXPECT_EQ(command.Command(), L"");
    EXPECT_TRUE(command.SetFocus);
    EXPECT_EQ(command.WindowState, 0);

    command.Caption = L"メモ";
    EXPECT_FALSE(command.IsEmpty());
    EXPECT_EQ(command.DisplayCaption(), L"---");

    ShellCommand nameless;
    nameless.StoreCommandLine(L"a.exe -x");
    EXPECT_FALSE(nameless.IsEmpty());
    EXPECT_EQ(nameless.DisplayCaption(), L"(nameless)");
}

TEST_F(ShellCommandTest, BareNameFoundOnTheSearchPathBecomesTheFullPath)
{
    ScopedEnvironment path(L"PATH", tools.substr(0, tools.size() - 1));
    command.SetCommand(L"tool");
    const std::wstring found = tools + L"tool.exe";
    EXPECT_EQ(command.Command(), QuoteIfSpaced(found));
    EXPECT_EQ(command.Program(), found);
    EXPECT_EQ(command.WorkDir(), tools);
    EXPECT_EQ(command.Caption, L"tool");
}

TEST_F(ShellCommandTest, PathThatResolvesToItselfKeepsItsEnvironmentReferences)
{
    command.SetCommand(L"%windir%\\notepad.exe /p a.txt");
    EXPECT_EQ(command.Program(), L"%windir%\\notepad.exe");
    EXPECT_EQ(command.Argument(), L"/p a.txt");
    EXPECT_EQ(command.WorkDir(), L"%windir%\\");
    EXPECT_EQ(command.Caption, L"notepad");

    ScopedEnvironment dir(L"KORVANE_TEST_DIR", folder.Path() + L"P F");
    ShellCommand spacedCommand;
    spacedCommand.SetCommand(L"%KORVANE_TEST_DIR%\\app.exe");
    EXPECT_EQ(spacedCommand.Command(), L"%KORVANE_TEST_DIR%\\app.exe");
    EXPECT_EQ(spacedCommand.WorkDir(), L"%KORVANE_TEST_DIR%\\");
}

TEST_F(ShellCommandTest, QuotedProgramKeepsItsQuotesAndDefaultsComeUnquoted)
{
    command.SetCommand(L"\"" + spaced + L"app.exe\"   -x  ");
    EXPECT_EQ(command.Command(), L"\"" + spaced + L"app.exe\" -x");
    EXPECT_EQ(command.Program(), spaced + L"app.exe");
    EXPECT_EQ(command.Argument(), L"-x");
    EXPECT_EQ(command.WorkDir(), spaced);
    EXPECT_EQ(command.Caption, L"app");

    // A quoted argument after the quoted program stays an argument.
    ShellCommand withFile;
    withFile.SetCommand(L"\"" + spaced + L"app.exe\" \"" + spaced + L"a b.txt\"");
    EXPECT_EQ(withFile.Program(), spaced + L"app.exe");
    EXPECT_EQ(withFile.Argument(), L"\"" + spaced + L"a b.txt\"");
}

TEST_F(ShellCommandTest, NameFoundWithBlanksGainsQuotesAndSlashesTurnIntoBackslashes)
{
    ScopedEnvironment path(L"PATH", spaced.substr(0, spaced.size() - 1));
    command.SetCommand(L"app -y");
    EXPECT_EQ(command.Command(), L"\"" + spaced + L"app.exe\" -y");

    std::wstring slashed = tools + L"tool.exe";
    for (wchar_t& c : slashed)
        if (c == L'\\')
            c = L'/';
    ShellCommand other;
    other.SetCommand(slashed + L" a/b");
    EXPECT_EQ(other.Program(), tools + L"tool.exe");
    EXPECT_EQ(other.Argument(), L"a/b");
}

TEST_F(ShellCommandTest, ExistingFieldsAreNotOverwrittenByDefaults)
{
    command.Caption = L"Mine";
    command.SetWorkDir(spaced);
    command.SetCommand(tools + L"tool.exe");
    EXPECT_EQ(command.Caption, L"Mine");
    EXPECT_EQ(command.WorkDir(), spaced);
}

TEST_F(ShellCommandTest, WorkingFolderIsSearchedFirstEvenWhenQuoted)
{
    Touch(tools + L"app.exe");  // a second app.exe, further down the standard order
    ScopedEnvironment path(L"PATH", tools.substr(0, tools.size() - 1));
    ScopedEnvironment dir(L"KORVANE_TEST_DIR", folder.Path());
    command.SetWorkDir(L"\"%KORVANE_TEST_DIR%P F\"");
    EXPECT_EQ(command.WorkDir(), L"\"%KORVANE_TEST_DIR%P F\"");
    command.SetCommand(L"app");
    EXPECT_EQ(command.Program(), spaced + L"app.exe");
}

TEST_F(ShellCommandTest, ProgramExtensionsComeFromPathExt)
{
    Touch(tools + L"only.com");
    Touch(tools + L"only.bat");
    ScopedEnvironment path(L"PATH", tools.substr(0, tools.size() - 1));
    {
        ScopedEnvironment pathext(L"PATHEXT", L".EXE;;.BAT");
        command.SetCommand(L"only");
        EXPECT_EQ(command.Program(), tools + L"only.bat");
    }
    {
        ScopedEnvironment pathext(L"PATHEXT", std::nullopt);
        ShellCommand classic;
        classic.SetCommand(L"only");
        EXPECT_EQ(classic.Program(), tools + L"only.com");
    }
}

TEST_F(ShellCommandTest, FolderProgramKeepsItsTrailingSeparator)
{
    command.SetCommand(tools);
    EXPECT_EQ(command.Program(), tools);
    EXPECT_EQ(command.WorkDir(), tools);
}

TEST_F(ShellCommandTest, LongExpansionsAreNeitherCutNorGarbled)
{
    std::wstring deep = folder.Path() + std::wstring(120, L'a');
    CreateFolder(deep);
    deep += L'\\' + std::wstring(120, L'b');
    CreateFolder(deep);
    deep += L'\\' + std::wstring(60, L'c');
    const std::wstring deepFolder = CreateFolder(deep);
    ASSERT_GT(deep.size(), 300u);
    Touch(L"\\\\?\\" + deepFolder + L"long.exe");

    ScopedEnvironment longVar(L"KORVANE_LONG", deep);
    command.SetCommand(L"%KORVANE_LONG%\\long.exe -z");
    EXPECT_EQ(command.Program(), L"%KORVANE_LONG%\\long.exe");
    EXPECT_EQ(command.WorkDir(), L"%KORVANE_LONG%\\");
    EXPECT_EQ(command.Caption, L"long");

    ScopedEnvironment path(L"PATH", deep);
    ShellCommand bare;
    bare.SetCommand(L"long");
    EXPECT_EQ(bare.Program(), deepFolder + L"long.exe");
}

TEST_F(ShellCommandTest, TextOutsideTheAnsiCodePageIsKept)
{
    const std::wstring korean = CreateFolder(folder.Path() + L"한국어");
    Touch(korean + L"프로그램.exe");
    command.SetCommand(korean + L"프로그램.exe 파일");
    EXPECT_EQ(command.Program(), korean + L"프로그램.exe");
    EXPECT_EQ(command.Argument(), L"파일");
    EXPECT_EQ(command.WorkDir(), korean);
    EXPECT_EQ(command.Caption, L"프로그램");
}

TEST_F(ShellCommandTest, EmptyLineEmptiesProgramAndArgumentsOnly)
{
    command.SetCommand(tools + L"tool.exe -a");
    command.SetCommand(L"    ");
    EXPECT_EQ(command.Command(), L"");
    EXPECT_EQ(command.Argument(), L"");
    EXPECT_EQ(command.Caption, L"tool");
    EXPECT_EQ(command.WorkDir(), tools);

    command.SetCommand(L"\"\" -x");
    EXPECT_EQ(command.Program(), L"");
    EXPECT_EQ(command.Argument(), L"-x");
}

TEST_F(ShellCommandTest, UnknownProgramOrFolderIsRejectedWithNothingChanged)
{
    command.SetCommand(tools + L"tool.exe -a");
    ExpectRejected(
        command, [&] { command.SetCommand(L"  C:/nowhere/x.exe -b"); },
        L"実行プログラムに指定されたパス名 'C:/nowhere/x.exe' は無効です。パスとファイル名が正しいか確認してください。");
    ExpectRejected(
        command, [&] { command.SetWorkDir(L"  \"C:\\nowhere \"  "); },
        L"作業フォルダに指定された 'C:\\nowhere' フォルダは無効です。フォルダがあるか、またはパスが正しいか確認してください。");
    ExpectRejected(
        command, [&] { command.SetWorkDir(tools + L"tool.exe"); },
        L"作業フォルダに指定された '" + tools +
            L"tool.exe' フォルダは無効です。フォルダがあるか、またはパスが正しいか確認してください。");
}

TEST_F(ShellCommandTest, WorkingFolderIsStoredAsTyped)
{
    command.SetWorkDir(L"  \"" + folder.Path() + L"P F\"  ");
    EXPECT_EQ(command.WorkDir(), L"\"" + folder.Path() + L"P F\"");
    command.SetWorkDir(spaced);  // with its trailing separator
    EXPECT_EQ(command.WorkDir(), spaced);
    command.SetWorkDir(L"   ");
    EXPECT_EQ(command.WorkDir(), L"");

    command.StoreWorkDir(L" \"C:\\nowhere\" ");  // copies are not checked
    EXPECT_EQ(command.WorkDir(), L"\"C:\\nowhere\"");
}

TEST_F(ShellCommandTest, MenuEntryNeverHasAWorkingFolder)
{
    command.SetKind(CommandListKind::Menus);
    command.SetCommand(tools + L"tool.exe");
    EXPECT_EQ(command.WorkDir(), L"");
    EXPECT_EQ(command.Caption, L"tool");
    EXPECT_NO_THROW(command.SetWorkDir(L"C:\\nowhere"));
    command.SetWorkDir(tools);
    command.StoreWorkDir(tools);
    EXPECT_EQ(command.WorkDir(), L"");

    command.Clear();
    EXPECT_EQ(command.Kind(), CommandListKind::Menus);
    EXPECT_TRUE(command.IsEmpty());
}

TEST_F(ShellCommandTest, ClearResetsEverythingButTheKind)
{
    command.SetKind(CommandListKind::Keys);
    command.SetCommand(tools + L"tool.exe -a");
    command.WindowState = 3;
    command.SetFocus = false;
    command.Clear();
    EXPECT_TRUE(command.IsEmpty());
    EXPECT_EQ(command.Argument(), L"");
    EXPECT_EQ(command.WorkDir(), L"");
    EXPECT_EQ(command.WindowState, 0);
    EXPECT_TRUE(command.SetFocus);
    EXPECT_EQ(command.Kind(), CommandListKind::Keys);
}

TEST_F(ShellCommandTest, StoredCommandLinesAreSplitWithoutSearch)
{
    command.Caption = L"keep";
    command.StoreCommandLine(L"  C:/nowhere/x.exe  a  b ");
    EXPECT_EQ(command.Command(), L"C:\\nowhere\\x.exe a  b");
    EXPECT_EQ(command.Caption, L"keep");
    EXPECT_EQ(command.WorkDir(), L"");

    // What a command shows stores back unchanged.
    const std::wstring line = L"\"C:\\P F\\x.exe\" \"C:\\my docs\\y.txt\" -q";
    command.StoreCommandLine(line);
    ShellCommand copy;
    copy.StoreCommandLine(command.Command());
    EXPECT_EQ(copy.Command(), line);
    EXPECT_EQ(copy.Program(), L"C:\\P F\\x.exe");

    copy.StoreCommandLine(L"\"\" -x");
    EXPECT_EQ(copy.Command(), L"");
    EXPECT_EQ(copy.Argument(), L"-x");
}

TEST(ShellCommandRegistry, SixValuesRoundTripAndMissingOnesReadAsDefaults)
{
    RegistrySandbox sandbox;
    RegistryKey key =
        RegistryRoot().OpenKey(HKEY_CURRENT_USER, L"Software\\Tessaly\\Korvane\\Key\\A");
    ShellCommand saved;
    saved.StoreCommandLine(L"\"C:\\P F\\x.exe\" -a 한");
    saved.StoreWorkDir(L"\"%TEMP%\\a b\"");
    saved.Caption = L"設定 한";
    saved.WindowState = 3;
    saved.SetFocus = false;
    saved.Save(key);

    ShellCommand loaded;
    loaded.SetKind(CommandListKind::Keys);
    loaded.Load(key);
    EXPECT_EQ(loaded.Command(), saved.Command());
    EXPECT_EQ(loaded.WorkDir(), saved.WorkDir());
    EXPECT_EQ(loaded.Caption, saved.Caption);
    EXPECT_EQ(loaded.WindowState, 3);
    EXPECT_FALSE(loaded.SetFocus);
    EXPECT_EQ(loaded.Kind(), CommandListKind::Keys);
    EXPECT_EQ(key.ReadValue(L"ProgramFileName", L""), L"\"C:\\P F\\x.exe\"");
    EXPECT_EQ(key.ReadValue(L"StartupWindowState", std::int32_t{-1}), 3);

    RegistryKey partial =
        RegistryRoot().OpenKey(HKEY_CURRENT_USER, L"Software\\Tessaly\\Korvane\\Key\\B");
    partial.WriteValue(L"ProgramFileName", std::wstring(L"C:\\x.exe"));
    loaded.Load(partial);
    EXPECT_EQ(loaded.Command(), L"C:\\x.exe");
    EXPECT_EQ(loaded.WorkDir(), L"");
    EXPECT_EQ(loaded.Caption, L"");
    EXPECT_EQ(loaded.WindowState, 0);
    EXPECT_TRUE(loaded.SetFocus);
}
