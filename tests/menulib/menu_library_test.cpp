#include "menulib/menu_library.h"

#include <gtest/gtest.h>

#include "base/system.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/message_pump.h"
#include "tests/support/sandbox.h"

namespace {

class MenuLibraryTest : public ::testing::Test {
protected:
    // The library must come from the given folder only: the one beside the
    // test program (on the search path) must never stand in for it.
    void SetUp() override { ASSERT_TRUE(FileExists(BuildFolder() + L"korvane.dll")); }

    // Both ordinals through the loader; the answers, with the buffers checked.
    void ExpectNothingChosen(MenuLibrary& library)
    {
        EntryTable table;
        table.Add(L"メモ帳", L"C:\\windows\\notepad.exe");
        AnswerBuffers buffers;
        EXPECT_EQ(library.PopupCommandMenu(driver.Owner(), table.Data(), table.Count(),
                                           buffers.File(), buffers.Parameters(), 50, 50, 1),
                  0);
        EXPECT_EQ(library.PopupItemMenu(driver.Owner(), table.Data(), buffers.File(),
                                        buffers.Parameters(), 50, 50),
                  0);
        EXPECT_TRUE(buffers.Untouched());
    }

    void ExpectWarnings(const DialogWatcher& watcher, const std::wstring& path)
    {
        ASSERT_EQ(watcher.Boxes().size(), 2u);
        for (const ShownBox& box : watcher.Boxes()) {
            EXPECT_EQ(box.caption, L"Korvane");
            EXPECT_EQ(box.icon, BoxIcon::Exclamation);
            EXPECT_NE(box.text.find(L"メニューライブラリ korvane.dll を読み込めません。"),
                      std::wstring::npos);
            EXPECT_NE(box.text.find(path), std::wstring::npos) << path;
        }
    }

    TempFolder folder;
    MenuDriver driver;
};

}  // namespace

TEST_F(MenuLibraryTest, AMissingLibraryIsReportedAndAnswersNothing)
{
    MenuLibrary library(folder.Path());
    DialogWatcher watcher;
    ExpectNothingChosen(library);
    ExpectWarnings(watcher, folder.Path() + L"korvane.dll");
    EXPECT_FALSE(library.Loaded());
}

TEST_F(MenuLibraryTest, ABrokenLibraryIsReportedAndAnswersNothing)
{
    WriteFileBytes(folder.Path() + L"korvane.dll", "MZ this is not a library");
    MenuLibrary library(folder.Path());
    DialogWatcher watcher;
    ExpectNothingChosen(library);
    ExpectWarnings(watcher, folder.Path() + L"korvane.dll");
}

// What an update interrupted between the two files leaves: a korvane.dll of
// another version, otherwise sound. It is named, not called.
TEST_F(MenuLibraryTest, ALibraryOfAnotherVersionIsReportedAndAnswersNothing)
{
    std::string image = ReadFileBytes(BuildFolder() + L"korvane.dll");
    const DWORD signature = VS_FFI_SIGNATURE;
    const size_t fixed = image.find(std::string(reinterpret_cast<const char*>(&signature), 4));
    ASSERT_NE(fixed, std::string::npos);
    // dwFileVersionMS (major, minor) and dwFileVersionLS (patch, build): 9.8.7.0.
    const DWORD versionMs = MAKELONG(8, 9), versionLs = MAKELONG(0, 7);
    image.replace(fixed + 8, 4, reinterpret_cast<const char*>(&versionMs), 4);
    image.replace(fixed + 12, 4, reinterpret_cast<const char*>(&versionLs), 4);
    const std::wstring path = folder.Path() + L"korvane.dll";
    WriteFileBytes(path, image);

    MenuLibrary library(folder.Path());
    DialogWatcher watcher;
    ExpectNothingChosen(library);
    ASSERT_EQ(watcher.Boxes().size(), 2u);
    for (const ShownBox& box : watcher.Boxes()) {
        EXPECT_EQ(box.icon, BoxIcon::Exclamation);
        EXPECT_NE(box.text.find(L"korvane.dll のバージョン (9.8.7) が korvane.exe ("), std::wstring::npos)
            << box.text;
        EXPECT_NE(box.text.find(L") と一致しません。Korvane をインストールし直してください。"),
                  std::wstring::npos);
        EXPECT_NE(box.text.find(path), std::wstring::npos);
    }
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

TEST_F(MenuLibraryTest, ARelativeFolderNeverFallsBackToTheSearchPath)
{
    MenuLibrary library(L"");
    DialogWatcher watcher;
    ExpectNothingChosen(library);
    ExpectWarnings(watcher, L"korvane.dll");
    EXPECT_FALSE(library.Loaded());
}

TEST_F(MenuLibraryTest, TheLibraryPutBackLaterIsLoadedFromItsFolder)
{
    const std::wstring path = folder.Path() + L"korvane.dll";
    {
        MenuLibrary library(folder.Path());
        DialogWatcher watcher;
        ExpectNothingChosen(library);
        ASSERT_TRUE(CopyFileW((BuildFolder() + L"korvane.dll").c_str(), path.c_str(), FALSE));

        // The owner's activation comes back from the closed boxes first; it
        // would cancel a menu that opened before it.
        PumpFor(0);
        AnswerBuffers buffers;
        driver.Then([](MenuDriver& d) { d.Choose(L"設定(&O)"); });
        EXPECT_EQ(library.PopupCommandMenu(driver.Owner(), nullptr, 0, buffers.File(),
                                           buffers.Parameters(), 50, 50, 1),
                  2);
        EXPECT_TRUE(driver.AllStepsRan());
        EXPECT_EQ(watcher.Boxes().size(), 2u);  // only from the first attempt
        EXPECT_TRUE(library.Loaded());
        EXPECT_NE(GetModuleHandleW(path.c_str()), nullptr);
    }
    // Released with its loader, so that the folder can go.
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

namespace {

// The names of the DLLs an image imports, and its export directory.
struct ImageFacts {
    std::vector<std::string> imports;
    DWORD exportBase = 0;
    DWORD exportedFunctions = 0;
    DWORD exportedNames = 0;
    bool allExportsPresent = false;
};

ImageFacts ReadImage(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directories = nt->OptionalHeader.DataDirectory;
    ImageFacts facts;
    const auto& importDir = directories[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + importDir.VirtualAddress);
         importDir.VirtualAddress && import->Name; ++import)
        facts.imports.push_back(reinterpret_cast<const char*>(base + import->Name));
    const auto& exportDir = directories[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (exportDir.VirtualAddress) {
        const auto* exports =
            reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + exportDir.VirtualAddress);
        facts.exportBase = exports->Base;
        facts.exportedFunctions = exports->NumberOfFunctions;
        facts.exportedNames = exports->NumberOfNames;
        const auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
        facts.allExportsPresent = true;
        for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
            facts.allExportsPresent = facts.allExportsPresent && functions[i] != 0;
    }
    return facts;
}

}  // namespace

TEST(MenuLibraryImage, ExportsTwoOrdinalsWithoutNamesAndNeedsOnlySystemLibraries)
{
    const std::wstring path = BuildFolder() + L"korvane.dll";
    UniqueModule module(LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(module);
    const ImageFacts facts = ReadImage(module.get());
    EXPECT_EQ(facts.exportBase, 1u);
    EXPECT_EQ(facts.exportedFunctions, 2u);
    EXPECT_EQ(facts.exportedNames, 0u);
    EXPECT_TRUE(facts.allExportsPresent);
    // What a clean Windows has: no runtime DLL of the compiler may ship along.
    const std::vector<std::string> system = {"kernel32.dll", "user32.dll",  "shlwapi.dll",
                                             "msvcrt.dll",   "advapi32.dll", "gdi32.dll",
                                             "shell32.dll"};
    ASSERT_FALSE(facts.imports.empty());
    for (std::string name : facts.imports) {
        CharLowerA(name.data());
        EXPECT_NE(std::find(system.begin(), system.end(), name), system.end()) << name;
    }
}
