#include "app/entry_point.h"
#include "base/program_values.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include "base/desktop_toggle_file.h"
#include "settings/settings.h"
#include "tests/support/sandbox.h"

namespace {

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }
RegistryKey MakerKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath); }

class StartUpTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    TempFolder folder;
};

}  // namespace

TEST_F(StartUpTest, FirstStartWritesVersionHotKeyAndTheMakerEntry)
{
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(AppFolder, folder.Path());
    EXPECT_EQ(ProductKey().ReadValue(L"Version", std::int32_t{0}), 500);
    // A hot key the keyboard has: Ctrl+Shift+＼ on the Japanese keyboard (the
    // suite's), Ctrl+Alt+F11 on a US one (app_tests.english).
    const std::int32_t hotKey = ProductKey().ReadValue(L"Hotkey", std::int32_t{0});
    EXPECT_EQ(hotKey, GetKeyboardType(0) == 7 ? 994 : 0x67A);
    EXPECT_NE(MapVirtualKeyExW(hotKey & 0xFF, MAPVK_VK_TO_VSC, GetKeyboardLayout(0)), 0u);
    EXPECT_EQ(MakerKey().ReadValue(L"Korvane", L""), folder.Path() + L"KORVANE.EXE");
    EXPECT_TRUE(LayeredWindowsAvailable);
}

TEST_F(StartUpTest, CommandFileHasExactlyFourCrLfLines)
{
    StartUp({folder.Path(), L"KORVANE"});
    const std::string expected = "[Shell]\r\nCommand=2\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";
    EXPECT_EQ(ReadFileBytes(folder.Path() + L"KORVANE.SCF"), expected);
    // A stale, longer file is overwritten, not appended to.
    WriteFileBytes(folder.Path() + L"KORVANE.SCF", std::string(500, 'x'));
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(ReadFileBytes(folder.Path() + L"KORVANE.SCF"), expected);
}

TEST_F(StartUpTest, AFolderWithoutSeparatorGainsOneAndARootKeepsItsOwn)
{
    const std::wstring bare = folder.Path().substr(0, folder.Path().size() - 1);
    StartUp({bare, L"k"});
    EXPECT_EQ(AppFolder, folder.Path());
    StartUp({L"C:\\", L"k"});
    EXPECT_EQ(AppFolder, L"C:\\");
    EXPECT_EQ(MakerKey().ReadValue(L"Korvane", L""), L"C:\\k.EXE");
    DeleteDesktopToggleFile(L"C:\\");
}

TEST_F(StartUpTest, AStoredVersionKeepsTheUsersHotKey)
{
    ProductKey().WriteValue(L"Version", std::int32_t{500});
    ProductKey().WriteValue(L"HotKey", std::int32_t{0x241});
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(ProductKey().ReadValue(L"HotKey", std::int32_t{0}), 0x241);

    // A version that is there but cannot be read is no first start.
    ProductKey().WriteValue(L"Version", std::wstring(L"五百"));
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(ProductKey().ReadValue(L"HotKey", std::int32_t{0}), 0x241);
    EXPECT_EQ(ProductKey().ReadValue(L"Version", std::int32_t{0}), 500);

    ProductKey().WriteValue(L"Version", std::int32_t{499});
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(ProductKey().ReadValue(L"HotKey", std::int32_t{0}), 994);
    EXPECT_EQ(ProductKey().ReadValue(L"Version", std::int32_t{0}), 500);
}

TEST_F(StartUpTest, StaleEntriesOfOtherProgramsArePrunedButOwnEntryStays)
{
    const std::wstring alive = folder.Path() + L"alive.exe";
    WriteFileBytes(alive, "MZ");
    RegistryKey maker = MakerKey();
    maker.WriteValue(L"Other", folder.Path() + L"deleted.exe");
    maker.WriteValue(L"korvane", folder.Path() + L"deleted-too.exe");  // not our exact name
    maker.WriteValue(L"Alive", alive);
    maker.WriteValue(L"Empty", std::wstring());

    RemoveStaleProgramEntries();
    EXPECT_EQ(MakerKey().ReadValue(L"Other", L"<gone>"), L"<gone>");
    EXPECT_EQ(MakerKey().ReadValue(L"Empty", L"<gone>"), L"<gone>");
    EXPECT_EQ(MakerKey().ReadValue(L"Alive", L""), alive);
    // Only the exact name is this program's own entry.
    EXPECT_EQ(MakerKey().ReadValue(L"korvane", L"<gone>"), L"<gone>");
}

TEST_F(StartUpTest, OwnEntryPointingAtAMissingFileIsKept)
{
    MakerKey().WriteValue(L"Korvane", folder.Path() + L"nowhere.exe");
    MakerKey().WriteValue(L"Gone", folder.Path() + L"nowhere.exe");
    RemoveStaleProgramEntries();
    EXPECT_EQ(MakerKey().ReadValue(L"Korvane", L""), folder.Path() + L"nowhere.exe");
    EXPECT_EQ(MakerKey().ReadValue(L"Gone", L"<gone>"), L"<gone>");
}

TEST_F(StartUpTest, AFolderThatRefusesTheCommandFileSendsItToTheUsersFolder)
{
    const std::wstring userFolder = UserProgramFolder();
    const std::wstring ownFile = folder.Path() + L"KORVANE.SCF";
    const std::string expected = "[Shell]\r\nCommand=2\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";

    // The file's name is taken by a folder, so it cannot be created there;
    // the desktop toggle then opens the user's copy.
    ASSERT_TRUE(CreateDirectoryW(ownFile.c_str(), nullptr));
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(GetFileAttributesW(ownFile.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(DesktopToggleFolder(), userFolder);
    EXPECT_EQ(ReadFileBytes(userFolder + L"KORVANE.SCF"), expected);
    ASSERT_TRUE(AppSettings);
    EXPECT_EQ(AppSettings->Drags().Item(0)->Program(), userFolder + L"KORVANE.SCF");
    EXPECT_EQ(AppSettings->Drags().Item(0)->WorkDir(), folder.Path());
    EXPECT_EQ(ProductKey().ReadValue(L"Version", std::int32_t{0}), 500);
    DeleteDesktopToggleFile(userFolder);
    RemoveDirectoryW(userFolder.c_str());

    // A folder that takes the file keeps it, and no user's copy is made.
    ASSERT_TRUE(RemoveDirectoryW(ownFile.c_str()));
    StartUp({folder.Path(), L"KORVANE"});
    EXPECT_EQ(DesktopToggleFolder(), folder.Path());
    EXPECT_EQ(ReadFileBytes(ownFile), expected);
    EXPECT_EQ(GetFileAttributesW(userFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(AppSettings->Drags().Item(0)->Program(), ownFile);
}

TEST_F(StartUpTest, StartUpCreatesAndLoadsTheProgramSettings)
{
    ProductKey().WriteValue(L"Version", std::int32_t{500});
    ProductKey().WriteValue(L"SwapButtons", true);
    ProductKey().SubKey(L"Key").SubKey(L"Q").WriteValue(L"Caption", std::wstring(L"q"));
    StartUp({folder.Path(), L"KORVANE"});
    ASSERT_TRUE(AppSettings);
    EXPECT_TRUE(AppSettings->SwapButtons);
    EXPECT_EQ(AppSettings->Keys().Item(16)->Caption, L"q");
    EXPECT_EQ(AppSettings->Drags().Item(0)->Program(), folder.Path() + L"KORVANE.SCF");
}

TEST_F(StartUpTest, StartUpGoesOnWhenTheCommandFileCannotBeWritten)
{
    // Neither folder takes the file: the program's is missing, and in the
    // user's the name is taken by a folder.
    const std::wstring missing = folder.Path() + L"missing\\";
    const std::wstring userFolder = UserProgramFolder();
    CreateDirectoryW(userFolder.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW((userFolder + L"KORVANE.SCF").c_str(), nullptr));
    StartUp({missing, L"KORVANE"});
    RemoveDirectoryW((userFolder + L"KORVANE.SCF").c_str());
    RemoveDirectoryW(userFolder.c_str());
    ASSERT_TRUE(AppSettings);
    EXPECT_EQ(AppSettings->Drags().Item(0)->Command(), L"\"" + missing + L"KORVANE.SCF\"");
    EXPECT_EQ(AppSettings->Drags().Item(0)->WorkDir(), missing);
    EXPECT_TRUE(AppSettings->AlwaysOnTop);  // loaded after all
}
