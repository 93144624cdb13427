#include "menulib/menu_library.h"

#include <gtest/gtest.h>

#include "core/system.h"
#include "tests/menulib/menu_driver.h"
#include "tests/menulib/menu_test_data.h"
#include "tests/support/dialog_watcher.h"
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
        driver.Flush();
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
