// A thousand damaged shortcut files read into a command: cut short at every
// point, bytes changed, and plain noise. Reading must never crash; a file that
// is refused leaves the command exactly as it was.

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/slot_names.h"
#include "commands/shell_command.h"
#include "tests/support/probe_log.h"
#include "tests/support/sandbox.h"

namespace {

constexpr size_t kLinkHeaderSize = 0x4C;

struct Snapshot {
    std::wstring command, workDir, caption;
    std::int32_t windowState;
    bool setFocus;
    bool operator==(const Snapshot&) const = default;
};

Snapshot SnapshotOf(const ShellCommand& command)
{
    return {command.Command(), command.WorkDir(), command.Caption, command.WindowState,
            command.SetFocus};
}

ShellCommand Untouched()
{
    ShellCommand command;
    command.SetKind(CommandListKind::Keys);
    command.StoreCommandLine(L"\"C:\\Kept Tool\\kept.exe\" --kept");
    command.StoreWorkDir(L"C:\\Kept Tool");
    command.Caption = L"そのまま";
    command.WindowState = 2;
    command.SetFocus = false;
    return command;
}

bool Sane(const std::wstring& text)
{
    return text.size() < 65536 && text.find(L'\0') == std::wstring::npos;
}

class ShortcutGarbageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" -a \"b c\" " +
                                std::wstring(200, L'x'));
        source.Caption = L"壊れる前のリンク";
        source.WindowState = 3;
        ASSERT_TRUE(source.Save(folder.Path() + L"good.lnk"));
        good = ReadFileBytes(folder.Path() + L"good.lnk");
        ASSERT_GT(good.size(), kLinkHeaderSize);
    }

    // Reads the bytes as a shortcut into a command; true when it was taken.
    bool Read(const std::string& bytes, ShellCommand& command)
    {
        const std::wstring file = folder.Path() + L"damaged.lnk";
        WriteFileBytes(file, bytes);
        command = Untouched();
        const Snapshot before = SnapshotOf(command);
        const bool taken = command.Load(file);
        if (!taken) {
            EXPECT_TRUE(SnapshotOf(command) == before) << "a refused file changed the command";
        } else {
            EXPECT_TRUE(Sane(command.Command()) && Sane(command.Caption));
            // The working folder never comes from a shortcut.
            EXPECT_EQ(command.WorkDir(), before.workDir);
        }
        return taken;
    }
    bool Read(const std::string& bytes)
    {
        ShellCommand command;
        return Read(bytes, command);
    }

    TempFolder folder;
    ShellCommand source;
    std::string good;
};

}  // namespace

TEST_F(ShortcutGarbageTest, AThousandDamagedFilesAreReadOrRefusedWithoutHarm)
{
    std::mt19937 random(20240613);
    int refused = 0, files = 0;

    // Cut short everywhere: a file that is taken gave all of its texts,
    // never the part before the cut.
    const size_t cuts = 400;
    for (size_t i = 0; i < cuts; ++i) {
        const size_t length = i * good.size() / cuts;
        ShellCommand command;
        const bool taken = Read(good.substr(0, length), command);
        if (taken) {
            EXPECT_GE(length, kLinkHeaderSize);
            EXPECT_EQ(command.Program(), source.Program()) << "cut at " << length;
            EXPECT_EQ(command.Argument(), source.Argument()) << "cut at " << length;
            EXPECT_EQ(command.Caption, source.Caption) << "cut at " << length;
        }
        refused += !taken;
        ++files;
    }
    // A valid header with noise behind it, and changed bytes in a good file.
    for (int i = 0; i < 300; ++i) {
        std::string bytes = good;
        if (i % 2 == 0) {
            bytes.resize(kLinkHeaderSize + random() % 2000);
            for (size_t at = kLinkHeaderSize; at < bytes.size(); ++at)
                bytes[at] = static_cast<char>(random());
        } else {
            for (unsigned n = 1 + random() % 8; n > 0; --n)
                bytes[random() % bytes.size()] = static_cast<char>(random());
        }
        refused += !Read(bytes);
        ++files;
    }
    // Plain noise, never a shortcut.
    for (int i = 0; i < 300; ++i) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        const bool taken = Read(bytes);
        EXPECT_FALSE(taken);
        refused += !taken;
        ++files;
    }
    EXPECT_EQ(files, 1000);
    // The good file itself still reads: the command above did not refuse all.
    ShellCommand command = Untouched();
    EXPECT_TRUE(command.Load(folder.Path() + L"good.lnk"));
    EXPECT_EQ(command.Caption, L"壊れる前のリンク");
    // Most of them are refused: every noise file and most cuts.
    EXPECT_GT(refused, 700);
}
