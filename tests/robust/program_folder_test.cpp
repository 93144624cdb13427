// korvane.exe where its folder is not as it should be, started many times at
// once, and ended by the user's own choices.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "objlib/persist.h"
#include "objlib/registry.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/support/file_type_registrations.h"
#include "tests/support/message_pump.h"
#include "tests/support/probe_log.h"
#include "tests/support/program_driver.h"
#include "tests/support/registry_tree.h"
#include "tests/support/sandbox.h"
#include "tests/support/user_steps.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A key press and release as the keyboard posts them to the focused window.
void PostKeyPress(HWND window, UINT key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(window, WM_KEYUP, key, 1 | scan | static_cast<LPARAM>(0xC0000000u));
}

// The open popup menu of a process, or null.
HWND OpenMenuOf(DWORD processId)
{
    for (HWND window : WindowsOfProcess(processId, L"")) {
        wchar_t cls[16];
        GetClassNameW(window, cls, 16);
        if (IsWindowVisible(window) && lstrcmpW(cls, L"#32768") == 0)
            return window;
    }
    return nullptr;
}

// A folder that refuses new files even to the tests, which run as root here
// (root ignores the folder's permissions but not the immutable attribute), as
// Program Files refuses them to a standard user. chattr runs on the Unix side
// of Wine, where its end cannot be waited for: the folder's answer to a new
// file tells when the change has been made. The attribute goes again with
// this object.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::wstring& folder) : folder_(folder)
    {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        char* name = unixName ? unixName(folder.c_str()) : nullptr;
        if (!name)
            return;
        unixPath_.resize(MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0));
        MultiByteToWideChar(CP_UTF8, 0, name, -1, unixPath_.data(), static_cast<int>(unixPath_.size()));
        unixPath_.pop_back();  // the terminator
        HeapFree(GetProcessHeap(), 0, name);
        applied_ = Chattr(L"+i", false);
    }
    ~ReadOnlyFolder()
    {
        if (applied_)
            Chattr(L"-i", true);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Applied() const { return applied_; }

private:
    bool Chattr(const std::wstring& change, bool takesFiles) const
    {
        return StartUnixProgram(L"Z:\\usr\\bin\\chattr", change + L" \"" + unixPath_ + L"\"") &&
               PumpUntil([&] { return TakesNewFile() == takesFiles; }, kTimeoutMs);
    }

    bool TakesNewFile() const
    {
        const UniqueKernelHandle file(CreateFileW((folder_ + L"new.tmp").c_str(), GENERIC_WRITE, 0,
                                                  nullptr, CREATE_NEW,
                                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                                                  nullptr));
        return static_cast<bool>(file);
    }

    std::wstring folder_;
    std::wstring unixPath_;
    bool applied_ = false;
};

class ProgramFolderTest : public ::testing::Test {
protected:
    // A folder (the test's own unless told) with a copy of the program and,
    // unless told, its library.
    std::wstring CopyProgram(bool withLibrary, std::wstring into = {})
    {
        if (into.empty())
            into = folder.Path();
        const std::wstring exe = into + L"korvane.exe";
        EXPECT_TRUE(CopyFileW((BuildFolder() + L"korvane.exe").c_str(), exe.c_str(), FALSE));
        if (withLibrary) {
            EXPECT_TRUE(CopyFileW((BuildFolder() + L"korvane.dll").c_str(),
                                  (into + L"korvane.dll").c_str(), FALSE));
        }
        return exe;
    }

    static bool RegistryUntouched() { return CopyRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath).Empty(); }

    static RegistryKey Product() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

    // What every ending of the program leaves: its settings saved and its
    // command file gone.
    void ExpectOrderlyEnd(const std::wstring& programFolder)
    {
        EXPECT_EQ(Product().ReadValue(L"Version", std::int32_t{0}), 500);
        EXPECT_TRUE(Product().SubKey(L"Position").Exists());
        EXPECT_FALSE(Exists(programFolder + L"KORVANE.SCF"));
    }

    RegistrySandbox sandbox;
    TempFolder folder;
};

}  // namespace

TEST_F(ProgramFolderTest, WithoutItsLibraryTheMenuSaysSoAndThePadCarriesOn)
{
    TempFolder logFolder;
    ProbeLogScope log{logFolder.Path()};
    {
        cSettings settings;
        settings.Menus().Add(-1)->StoreCommandLine(L"\"" + ProbeProgramPath() + L"\" entry");
        RegistryKey product = Product();
        Persistence().PersistOf(settings).Save(product);
    }
    RunningProgram program(CopyProgram(false));
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kTimeoutMs);
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(program.Boxes().empty());

    PostKeyPress(pad, VK_APPS);
    const HWND box = program.WaitForBox(kTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message about the missing library";
    const ShownBox shown = ReadBox(box);
    EXPECT_EQ(shown.caption, L"Korvane");
    EXPECT_TRUE(shown.text.starts_with(L"メニューライブラリ korvane.dll を読み込めません。"));
    EXPECT_NE(shown.text.find(folder.Path() + L"korvane.dll"), std::wstring::npos);
    // The pad is disabled while its box is up: wait until the box has really
    // gone before the next step, or that step would meet the old box.
    const auto dismiss = [&] {
        program.AnswerBoxes();
        EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(pad) != FALSE; }, kTimeoutMs));
    };
    dismiss();
    // Then the program's own menu, whose first item is the menu entry.
    HWND menu = WaitForPopupMenu(program.Id());
    ASSERT_NE(menu, nullptr) << "no menu without the library";
    PostKeyPress(menu, VK_DOWN);
    PostKeyPress(menu, VK_RETURN);
    const std::vector<ProbeRecord> launched = log.WaitFor(1);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_TRUE(launched[0].commandLine.ends_with(L" entry"));

    // Once more: the library is looked for again, and its last built-in
    // action, the exit, ends the program.
    PostKeyPress(pad, VK_APPS);
    EXPECT_NE(program.WaitForBox(kTimeoutMs), nullptr);
    dismiss();
    menu = WaitForPopupMenu(program.Id());
    ASSERT_NE(menu, nullptr);
    PostKeyPress(menu, VK_UP);
    PostKeyPress(menu, VK_RETURN);
    EXPECT_EQ(program.WaitForExit(kTimeoutMs), 0);
    ExpectOrderlyEnd(folder.Path());
}

TEST_F(ProgramFolderTest, ACommandFileThatCannotBeWrittenThereIsLeftAloneSilently)
{
    const std::wstring exe = CopyProgram(true);
    const std::wstring commandFile = folder.Path() + L"KORVANE.SCF";

    // Its name taken by a folder.
    ASSERT_TRUE(CreateDirectoryW(commandFile.c_str(), nullptr));
    {
        RunningProgram program(exe);
        ASSERT_TRUE(program.Started());
        ASSERT_NE(program.WaitForPad(kTimeoutMs), nullptr);
        EXPECT_EQ(program.Close(kTimeoutMs), 0);
        EXPECT_TRUE(program.Boxes().empty());
    }
    EXPECT_TRUE(IsFolder(commandFile));
    EXPECT_EQ(Product().ReadValue(L"Version", std::int32_t{0}), 500);
    ASSERT_TRUE(RemoveDirectoryW(commandFile.c_str()));

    // A file that another program holds open without sharing it: it can be
    // neither rewritten nor removed while the program runs.
    WriteFileBytes(commandFile, "held");
    {
        UniqueKernelHandle held(CreateFileW(commandFile.c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        RunningProgram program(exe);
        ASSERT_TRUE(program.Started());
        ASSERT_NE(program.WaitForPad(kTimeoutMs), nullptr);
        EXPECT_EQ(program.Close(kTimeoutMs), 0);
        EXPECT_TRUE(program.Boxes().empty());
    }
    EXPECT_EQ(ReadFileBytes(commandFile), "held");
    EXPECT_TRUE(Product().SubKey(L"Position").Exists());
}

TEST_F(ProgramFolderTest, AReadOnlyFolderSendsTheCommandFileToTheUsersFolder)
{
    const std::wstring exe = CopyProgram(true);
    const std::wstring userFile = UserProgramFolder() + L"KORVANE.SCF";
    // The shell opens command files with the probe, which records the path.
    FileTypeRegistrations registrations;
    registrations.Reset(L".scf");
    registrations.Reset(L"KorvaneTest.CommandFile");
    registrations.Set(L".scf", L"KorvaneTest.CommandFile");
    registrations.Set(L"KorvaneTest.CommandFile\\shell\\open\\command",
                      L"\"" + ProbeProgramPath() + L"\" \"%1\"");
    TempFolder logFolder;
    ProbeLogScope log{logFolder.Path()};

    ReadOnlyFolder readOnly(folder.Path());
    ASSERT_TRUE(readOnly.Applied());
    RunningProgram program(exe);
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kTimeoutMs);
    ASSERT_NE(pad, nullptr);
    EXPECT_FALSE(Exists(folder.Path() + L"KORVANE.SCF"));
    EXPECT_TRUE(Exists(userFile));

    // The desktop toggle, the first start's double-click action, opens it.
    const LPARAM at = MAKELPARAM(16, 16);
    PostMessageW(pad, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(pad, WM_LBUTTONUP, 0, at);
    PostMessageW(pad, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(pad, WM_LBUTTONUP, 0, at);
    const std::vector<ProbeRecord> records = log.WaitFor(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(userFile), std::wstring::npos) << records[0].commandLine;

    EXPECT_EQ(program.Close(kTimeoutMs), 0);
    EXPECT_TRUE(program.Boxes().empty());
    EXPECT_FALSE(Exists(UserProgramFolder()));
    EXPECT_TRUE(Product().SubKey(L"Position").Exists());
}

TEST_F(ProgramFolderTest, TwentySimultaneousStartsLeaveExactlyOnePad)
{
    ASSERT_TRUE(VisiblePads().empty());
    std::vector<std::unique_ptr<RunningProgram>> programs;
    for (int i = 0; i < 20; ++i) {
        programs.push_back(std::make_unique<RunningProgram>(BuildFolder() + L"korvane.exe"));
        ASSERT_TRUE(programs.back()->Started());
    }
    auto running = [&] {
        int count = 0;
        for (const auto& program : programs)
            count += program->Running();
        return count;
    };
    EXPECT_TRUE(PumpUntil([&] { return running() == 1 && VisiblePads().size() == 1; }, 60000))
        << running() << " still run, " << VisiblePads().size() << " pads";
    for (const auto& program : programs) {
        if (program->Running())
            continue;
        DWORD code = 1;
        GetExitCodeProcess(program->Process(), &code);
        EXPECT_EQ(code, 0u);
    }
    // Nothing else comes up afterwards either.
    PumpFor(300);
    EXPECT_EQ(VisiblePads().size(), 1u);
    for (const auto& program : programs) {
        if (program->Running()) {
            EXPECT_EQ(program->Close(kTimeoutMs), 0);
        }
    }
    EXPECT_TRUE(VisiblePads().empty());
}

TEST_F(ProgramFolderTest, ExitChosenFromTheCommandMenuEndsTheProgramInOrder)
{
    const std::wstring exe = CopyProgram(true);
    RunningProgram program(exe);
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kTimeoutMs);
    ASSERT_NE(pad, nullptr);
    ASSERT_TRUE(Exists(folder.Path() + L"KORVANE.SCF"));

    PostKeyPress(pad, VK_APPS);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = OpenMenuOf(program.Id())) != nullptr; }, kTimeoutMs));
    // The exit item is the menu's last: up from nothing chosen lands on it.
    PostKeyPress(menu, VK_UP);
    PostKeyPress(menu, VK_RETURN);
    EXPECT_EQ(program.WaitForExit(kTimeoutMs), 0);
    EXPECT_TRUE(program.Boxes().empty());
    ExpectOrderlyEnd(folder.Path());
}

TEST_F(ProgramFolderTest, ExitByDoubleClickEndsTheProgramInOrder)
{
    Product().WriteValue(L"DoubleClickCommand", std::int32_t{3});
    const std::wstring exe = CopyProgram(true);
    RunningProgram program(exe);
    ASSERT_TRUE(program.Started());
    const HWND pad = program.WaitForPad(kTimeoutMs);
    ASSERT_NE(pad, nullptr);

    // What the system posts for a double-click of the left button.
    const LPARAM at = MAKELPARAM(16, 16);
    PostMessageW(pad, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(pad, WM_LBUTTONUP, 0, at);
    PostMessageW(pad, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(pad, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(program.WaitForExit(kTimeoutMs), 0);
    EXPECT_TRUE(program.Boxes().empty());
    ExpectOrderlyEnd(folder.Path());
    EXPECT_EQ(Product().ReadValue(L"DoubleClickCommand", std::int32_t{0}), 3);
}

// Settings kept beside the program, in a folder with blanks and Japanese
// characters: switched on by an export into it, read and saved there without
// a trace in the registry, switched off by an import of the file and its removal.
TEST_F(ProgramFolderTest, SettingsKeptBesideTheProgramLeaveTheRegistryAlone)
{
    const std::wstring place = folder.Path() + L"持ち運び 用\\";
    ASSERT_TRUE(CreateDirectoryW(place.c_str(), nullptr));
    const std::wstring exe = CopyProgram(true, place);
    const std::wstring file = place + L"korvane.settings.json";
    Product().WriteValue(L"AlwaysOnTop", false);
    ASSERT_EQ(RunProgram(L"\"" + exe + L"\" /export \"" + file + L"\" /quiet", kTimeoutMs), 0);
    RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, {});
    {
        RunningProgram program(exe);
        const HWND pad = program.WaitForPad(kTimeoutMs);
        ASSERT_NE(pad, nullptr);
        EXPECT_FALSE(GetWindowLongW(pad, GWL_EXSTYLE) & WS_EX_TOPMOST);
        SetWindowPos(pad, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(program.Close(kTimeoutMs), 0);
        EXPECT_TRUE(program.Boxes().empty());
    }
    const SettingsRecord kept = ReadSettingsFile(ReadFileBytes(file));
    EXPECT_FALSE(kept.alwaysOnTop);
    EXPECT_LT(kept.x, 0.2f);
    EXPECT_TRUE(RegistryUntouched());

    ASSERT_EQ(RunProgram(L"\"" + exe + L"\" /import \"" + file + L"\" /quiet", kTimeoutMs), 0);
    EXPECT_EQ(Product().SubKey(L"Position").ReadValue(L"x", 0.5f), kept.x);
    ASSERT_TRUE(DeleteFileW(file.c_str()));
    RunningProgram program(exe);
    ASSERT_NE(program.WaitForPad(kTimeoutMs), nullptr);
    EXPECT_EQ(program.Close(kTimeoutMs), 0);
    ExpectOrderlyEnd(place);
    EXPECT_FALSE(Product().ReadValue(L"AlwaysOnTop", true));
    EXPECT_FALSE(Exists(file));
}

// A kept file that cannot be read is named once with the place in it that is
// wrong, and stays as it was; one that cannot be written (a read-only
// medium) lets the pad run, and its exit says once that it cannot be saved.
TEST_F(ProgramFolderTest, AKeptFileThatCannotBeReadOrWrittenStaysAsItIs)
{
    const std::wstring exe = CopyProgram(true);
    const std::wstring file = folder.Path() + L"korvane.settings.json";
    const struct {
        std::string bytes;
        const wchar_t* said;
        bool readOnly;
    } rows[] = {
        {"{\"format\": \"Korvane settings\", \"version\": 1,\r\n \"options\": {", L"(2 行目", false},
        // In the language the file chooses.
        {R"({"format": "Korvane settings", "version": 1, "options": {"language": "en"}})",
         L"The settings cannot be saved", true},
    };
    for (const auto& row : rows) {
        WriteFileBytes(file, row.bytes);
        const std::unique_ptr<ReadOnlyFolder> readOnly(row.readOnly ? new ReadOnlyFolder(folder.Path()) : nullptr);
        ASSERT_TRUE(!readOnly || readOnly->Applied());
        RunningProgram program(exe);
        ASSERT_NE(program.WaitForPad(kTimeoutMs), nullptr);
        EXPECT_EQ(program.Close(kTimeoutMs), 0);
        ASSERT_EQ(program.Boxes().size(), 1u);
        EXPECT_NE(program.Boxes()[0].text.find(folder.Path()), std::wstring::npos);
        EXPECT_NE(program.Boxes()[0].text.find(row.said), std::wstring::npos);
        EXPECT_EQ(ReadFileBytes(file), row.bytes);
        EXPECT_TRUE(RegistryUntouched());
    }
}

// A write of the kept file ended by a kill at any moment (here an import
// into it, killed as soon as its new file beside the old one holds a part
// of the text, more each time) leaves the old file or the new one.
TEST_F(ProgramFolderTest, AKeptFileWriteKilledAtAnyMomentLeavesTheOldFileOrTheNew)
{
    const std::wstring exe = CopyProgram(false);
    const std::wstring kept = folder.Path() + L"korvane.settings.json";
    SettingsRecord settings;
    settings.menus.assign(9000, {L"C:\\ツール\\tool.exe", std::wstring(300, L'x'), L"", L"項目", 0, true});
    const std::string before = WriteSettingsFile(settings);
    settings.x = 0.25f;
    const std::string after = WriteSettingsFile(settings);
    TempFolder source;
    WriteFileBytes(source.Path() + L"new.korvane.json", after);
    // The largest file in the folder that the program made (what an ended
    // write left there is removed first).
    const auto made = [&](bool remove) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((folder.Path() + L"*").c_str(), &found);
        DWORD size = 0;
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"korvane.exe" ||
                name == L"korvane.settings.json")
                continue;
            size = std::max(size, found.nFileSizeLow);
            if (remove)
                DeleteFileW((folder.Path() + name).c_str());
        }
        FindClose(search);
        return size;
    };
    int caught = 0;
    for (DWORD part = 0; part <= after.size(); part += static_cast<DWORD>(after.size() / 4)) {
        WriteFileBytes(kept, before);
        made(true);
        RunningProgram import(exe, L"/import \"" + source.Path() + L"new.korvane.json\" /quiet");
        caught += PumpUntil([&] { return made(false) >= std::max<DWORD>(part, 1) || !import.Running(); },
                            kTimeoutMs) &&
                  import.Running();
        TerminateProcess(import.Process(), 1);
        WaitForSingleObject(import.Process(), kTimeoutMs);
        const std::string found = ReadFileBytes(kept);
        EXPECT_TRUE(found == before || found == after) << part << " of " << after.size();
    }
    EXPECT_GT(caught, 0);
}
