#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

#include "commands/shell_command.h"
#include "objlib/shortcut_link.h"
#include "tests/support/sandbox.h"

namespace {

std::wstring FromUtf8(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::vector<std::wstring> Columns(const std::wstring& line)
{
    std::vector<std::wstring> columns;
    std::wstringstream in(line);
    std::wstring column;
    while (std::getline(in, column, L'\t'))
        columns.push_back(column);
    columns.resize(6);
    return columns;
}

std::wstring Lower(std::wstring text)
{
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

const std::wstring kSamples = L"data\\shortcuts\\";

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = folder.Path() + L"P F\\app.exe";
        CreateDirectoryW((folder.Path() + L"P F").c_str(), nullptr);
        WriteFileBytes(program, "MZ");
        link = folder.Path() + L"app.lnk";
    }

    ShellCommand Filled() const
    {
        ShellCommand command;
        command.StoreCommandLine(L"\"" + program + L"\" -a \"b c\"");
        command.Caption = L"アプリ 한";
        command.WindowState = 3;
        command.SetFocus = false;
        return command;
    }

    TempFolder folder;
    std::wstring program, link;
};

void ExpectSame(const ShellCommand& a, const ShellCommand& b)
{
    EXPECT_EQ(a.Command(), b.Command());
    EXPECT_EQ(a.Caption, b.Caption);
    EXPECT_EQ(a.WindowState, b.WindowState);
    EXPECT_EQ(a.SetFocus, b.SetFocus);
}

}  // namespace

TEST_F(ShortcutTest, EveryWindowStateAndFocusSurvivesTheRoundTrip)
{
    for (std::int32_t state = 0; state < 4; ++state) {
        for (bool focus : {true, false}) {
            ShellCommand saved = Filled();
            saved.WindowState = state;
            saved.SetFocus = focus;
            ASSERT_TRUE(saved.Save(link));

            ShellCommand loaded;
            ASSERT_TRUE(loaded.Load(link));
            EXPECT_EQ(loaded.Program(), program);
            EXPECT_EQ(loaded.Command(), saved.Command());
            EXPECT_EQ(loaded.Caption, saved.Caption);
            EXPECT_EQ(loaded.WindowState, state) << state << focus;
            // A maximized window is always activated.
            EXPECT_EQ(loaded.SetFocus, focus || state == 2) << state << focus;
        }
    }
}

TEST_F(ShortcutTest, UnknownShowCommandsReadAsMaximizedWithFocus)
{
    ASSERT_TRUE(Filled().Save(link));
    std::string bytes = ReadFileBytes(link);
    for (char show : {'\0', '\x09'}) {
        bytes[0x3C] = show;
        WriteFileBytes(link, bytes);
        ShellCommand loaded;
        ASSERT_TRUE(loaded.Load(link));
        EXPECT_EQ(loaded.WindowState, 2);
        EXPECT_TRUE(loaded.SetFocus);
        EXPECT_EQ(loaded.Program(), program);
    }
}

TEST_F(ShortcutTest, ShortcutLeavesWorkingFolderAndKindAlone)
{
    ASSERT_TRUE(Filled().Save(link));
    ShellCommand loaded;
    loaded.SetKind(CommandListKind::Keys);
    loaded.StoreWorkDir(L"C:\\keep");
    ASSERT_TRUE(loaded.Load(link));
    EXPECT_EQ(loaded.WorkDir(), L"C:\\keep");
    EXPECT_EQ(loaded.Kind(), CommandListKind::Keys);
}

TEST_F(ShortcutTest, FilesThatAreNoShortcutsChangeNothing)
{
    ASSERT_TRUE(Filled().Save(link));
    const std::string good = ReadFileBytes(link);
    std::string noise(600, '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>(i * 131 + 17);
    const std::wstring bad = folder.Path() + L"bad.lnk";
    const std::vector<std::string> contents = {noise, good.substr(0, 40), good.substr(0, 0x4C),
                                               good.substr(0, 0x4C + 10), ""};

    ShellCommand command = Filled();
    for (const std::string& content : contents) {
        WriteFileBytes(bad, content);
        EXPECT_FALSE(command.Load(bad)) << content.size();
        ExpectSame(command, Filled());
    }
    EXPECT_FALSE(command.Load(folder.Path() + L"missing.lnk"));
    EXPECT_FALSE(command.Load(folder.Path()));
    ExpectSame(command, Filled());
}

TEST_F(ShortcutTest, SavingWhereNoFileCanBeMadeFails)
{
    EXPECT_FALSE(Filled().Save(folder.Path() + L"missing\\x.lnk"));
}

TEST_F(ShortcutTest, TheTargetIsTheProgramTheCommandStartsOrNothingIsSaved)
{
    ScopedEnvironment dir(L"KORVANE_DIR", folder.Path());
    ShellCommand command = Filled();
    command.StoreCommandLine(L"\"%KORVANE_DIR%P F\\app.exe\" -a");
    ASSERT_TRUE(command.Save(link));
    ShellCommand loaded;
    ASSERT_TRUE(loaded.Load(link));
    EXPECT_EQ(loaded.Program(), program);

    // A bare name is where the search path finds it.
    std::vector<wchar_t> notepad(MAX_PATH);
    ASSERT_NE(SearchPathW(nullptr, L"notepad.exe", nullptr, MAX_PATH, notepad.data(), nullptr), 0u);
    command.StoreCommandLine(L"notepad.exe notes.txt");
    ASSERT_TRUE(command.Save(link));
    ASSERT_TRUE(loaded.Load(link));
    EXPECT_EQ(loaded.Program(), notepad.data());

    // Nothing of the name anywhere: no file, and the save says so.
    const std::wstring nowhere = folder.Path() + L"nowhere.lnk";
    command.StoreCommandLine(L"%KORVANE_UNSET%\\nowhere.exe");
    EXPECT_FALSE(command.Save(nowhere));
    EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShortcutTest, AShortcutThatCannotBeWrittenLeavesTheFileThatWasThere)
{
    ASSERT_TRUE(Filled().Save(link));
    const std::string before = ReadFileBytes(link);
    ShellCommand command = Filled();
    command.Caption = std::wstring(40000, L'c');
    EXPECT_FALSE(command.Save(link));
    EXPECT_EQ(ReadFileBytes(link), before);
    // Nothing else is left beside it.
    WIN32_FIND_DATAW found{};
    int files = 0;
    const HANDLE search = FindFirstFileW((folder.Path() + L"*.*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1);
}

TEST_F(ShortcutTest, WorksOnThreadsWithOrWithoutComAlready)
{
    ASSERT_TRUE(Filled().Save(link));
    bool plain = false, nested = false;
    std::thread([&] {
        ShellCommand loaded;
        plain = loaded.Load(link) && loaded.Program() == program;
        // COM stays initialized for a link object made while another lives.
        ShortcutLink outer;
        ShortcutLink inner;
        nested = inner.Load(link) && outer.Load(link) && inner.Description == outer.Description;
    }).join();
    EXPECT_TRUE(plain);
    EXPECT_TRUE(nested);
}

TEST(ShortcutSamples, ShortcutsMadeByWindowsLoadWithWhatTheyRecord)
{
    const std::wstring table = FromUtf8(ReadFileBytes(BuildFolder() + kSamples + L"expected.tsv"));
    std::wstringstream lines(table);
    std::wstring line;
    std::getline(lines, line);  // header
    int files = 0;
    while (std::getline(lines, line)) {
        if (line.empty())
            continue;
        const std::vector<std::wstring> column = Columns(line);
        SCOPED_TRACE(column[0]);
        ShellCommand command;
        command.SetKind(CommandListKind::Menus);
        ASSERT_TRUE(command.Load(BuildFolder() + kSamples + column[0]));
        ++files;
        if (!column[2].empty()) {
            EXPECT_EQ(Lower(command.Program()), Lower(column[2]));
        }
        EXPECT_EQ(command.Argument(), column[3]);
        EXPECT_EQ(command.Caption, column[4]);
        ASSERT_EQ(column[1], L"SW_SHOWNORMAL");
        EXPECT_EQ(command.WindowState, 1);
        EXPECT_TRUE(command.SetFocus);
    }
    EXPECT_EQ(files, 8);
}
