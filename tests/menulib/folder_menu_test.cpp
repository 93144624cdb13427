#include <gtest/gtest.h>

#include "base/program_values.h"
#include "base/system.h"
#include "menulib/menu_library.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/sandbox.h"

namespace {

using Texts = std::vector<std::wstring>;

// A small tree in a fresh folder:
//   フォルダ 10\            (empty)
//   フォルダ 9\深い\最後.txt
//   フォルダ 9\中.txt
//   a&b.txt  File1.txt  file9.txt  file10.txt  隠し.txt (hidden)
class FolderMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppFolder = BuildFolder();
        root = folder.Path() + L"ツール";
        for (const wchar_t* sub : {L"", L"\\フォルダ 10", L"\\フォルダ 9", L"\\フォルダ 9\\深い"})
            ASSERT_TRUE(CreateDirectoryW((root + sub).c_str(), nullptr));
        for (const wchar_t* file : {L"\\file10.txt", L"\\file9.txt", L"\\File1.txt", L"\\a&b.txt",
                                    L"\\隠し.txt", L"\\フォルダ 9\\中.txt",
                                    L"\\フォルダ 9\\深い\\最後.txt"})
            WriteFileBytes(root + file, "x");
        SetFileAttributesW((root + L"\\隠し.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }

    int ShowCommandMenu(const EntryTable& table)
    {
        return PopupCommandMenu(driver.Owner(), table.Data(), table.Count(), buffers.File(),
                                buffers.Parameters(), 100, 100, 1);
    }

    TempFolder folder;
    std::wstring root;  // without a trailing separator
    MenuDriver driver;
    AnswerBuffers buffers;
};

}  // namespace

TEST_F(FolderMenuTest, AFolderEntryListsSubfoldersThenFilesInExplorerOrderAndOpensNestedFolders)
{
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe").Add(L"ツール箱", root, L"/e");
    OpenMenu top, listing, nested, deepest;
    size_t unopenedItems = 0;
    driver.Then([&](MenuDriver& d) {
              top = d.Innermost();
              d.OpenSubmenu(L"ツール箱");
          })
        .Then([&](MenuDriver& d) {
            listing = d.Innermost();
            // Folders further down are listed only when they open.
            unopenedItems = ReadMenu(listing.items[listing.IndexOf(L"フォルダ 9")].submenu).size();
            d.OpenSubmenu(L"フォルダ 9");
        })
        .Then([&](MenuDriver& d) {
            nested = d.Innermost();
            d.OpenSubmenu(L"深い");
        })
        .Then([&](MenuDriver& d) {
            deepest = d.Innermost();
            d.Choose(L"最後.txt");
        });

    EXPECT_EQ(ShowCommandMenu(table), kMenuOpenAnswer);
    EXPECT_TRUE(driver.AllStepsRan());
    ASSERT_EQ(top.items.size(), 6u);
    EXPECT_NE(top.items[1].submenu, nullptr);
    EXPECT_EQ(top.items[1].text, L"ツール箱");
    EXPECT_EQ(listing.Texts(), (Texts{kOpenFolderCaption, L"-", L"フォルダ 9", L"フォルダ 10",
                                      L"a&&b.txt", L"File1.txt", L"file9.txt", L"file10.txt"}));
    EXPECT_NE(listing.items[2].submenu, nullptr);
    EXPECT_NE(listing.items[3].submenu, nullptr);
    EXPECT_EQ(listing.items[4].submenu, nullptr);
    EXPECT_EQ(unopenedItems, 1u);
    EXPECT_EQ(nested.Texts(), (Texts{kOpenFolderCaption, L"-", L"深い", L"中.txt"}));
    EXPECT_EQ(deepest.Texts(), (Texts{kOpenFolderCaption, L"-", L"最後.txt"}));
    EXPECT_EQ(buffers.FileText(), ToAnsi(root + L"\\フォルダ 9\\深い\\最後.txt"));
    EXPECT_EQ(buffers.ParametersText(), "");
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST_F(FolderMenuTest, OpenAtTheTopOpensTheEntryOrTheSubfolderItself)
{
    EntryTable table;
    table.Add(L"ツール箱", root + L"\\", L"/e");
    driver.Then([](MenuDriver& d) { d.OpenSubmenu(L"ツール箱"); })
        .Then([](MenuDriver& d) { d.Choose(kOpenFolderCaption); });
    EXPECT_EQ(ShowCommandMenu(table), kMenuOpenAnswer);
    // The entry's own folder opens as the entry says, arguments included.
    EXPECT_EQ(buffers.FileText(), ToAnsi(root + L"\\"));
    EXPECT_EQ(buffers.ParametersText(), "/e");

    AnswerBuffers second;
    driver.Then([](MenuDriver& d) { d.OpenSubmenu(L"ツール箱"); })
        .Then([](MenuDriver& d) { d.OpenSubmenu(L"フォルダ 10"); })
        .Then([](MenuDriver& d) { d.Choose(kOpenFolderCaption); });
    EXPECT_EQ(PopupCommandMenu(driver.Owner(), table.Data(), table.Count(), second.File(),
                               second.Parameters(), 100, 100, 1),
              kMenuOpenAnswer);
    EXPECT_EQ(second.FileText(), ToAnsi(root + L"\\フォルダ 10"));
    EXPECT_EQ(second.ParametersText(), "");
    EXPECT_TRUE(driver.AllStepsRan());
}

TEST_F(FolderMenuTest, AnEnvironmentReferenceInAFolderEntryIsExpandedForItsFiles)
{
    SetEnvironmentVariableW(L"KORVANE_MENU_TEST", root.c_str());
    EntryTable table;
    table.Add(L"ツール箱", L"%KORVANE_MENU_TEST%");
    driver.Then([](MenuDriver& d) { d.OpenSubmenu(L"ツール箱"); })
        .Then([](MenuDriver& d) { d.Choose(L"file9.txt"); });
    EXPECT_EQ(ShowCommandMenu(table), kMenuOpenAnswer);
    SetEnvironmentVariableW(L"KORVANE_MENU_TEST", nullptr);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(buffers.FileText(), ToAnsi(root + L"\\file9.txt"));
}

TEST_F(FolderMenuTest, PathsThatDoNotFitOrHaveNoAnsiFormAreShownDisabled)
{
    // Japanese takes two bytes a character in the ANSI code page: these paths
    // are well under 260 characters but over 260 bytes.
    const std::wstring longFolder = root + L"\\" + std::wstring(70, L'長');
    const std::wstring longFile = std::wstring(70, L'名') + L".txt";
    const std::wstring longSubfolder = std::wstring(40, L'奥');
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((longFolder + L"\\" + longSubfolder).c_str(), nullptr));
    WriteFileBytes(longFolder + L"\\" + longFile, "x");
    WriteFileBytes(longFolder + L"\\short.txt", "x");
    WriteFileBytes(longFolder + L"\\café.txt", "x");  // é has no form in code page 932
    ASSERT_GT(ToAnsi(longFolder + L"\\" + longFile).size(), 260u);
    ASSERT_LT(ToAnsi(longFolder + L"\\short.txt").size(), 260u);

    const std::string longProgram = "C:\\" + std::string(300, 'p') + ".exe";
    EntryTable table;
    table.Add(L"長い", longFolder)
        .Add(L"長いプログラム", FromAnsi(longProgram))
        .Add(L"長い引数", L"C:\\windows\\notepad.exe", std::wstring(300, L'a'))
        .Add(L"プログラムなし", L"");

    OpenMenu top, listing, sub;
    driver.Then([&](MenuDriver& d) {
              top = d.Innermost();
              d.OpenSubmenu(L"長い");
          })
        .Then([&](MenuDriver& d) {
            listing = d.Innermost();
            d.OpenSubmenu(longSubfolder);
        })
        .Then([&](MenuDriver& d) {
            sub = d.Innermost();
            d.Press(VK_LEFT);
        })
        .Then([&](MenuDriver& d) { d.Choose(longFile); });
    // Return on a disabled item chooses nothing.
    EXPECT_EQ(ShowCommandMenu(table), 0);
    EXPECT_TRUE(buffers.Untouched());

    auto grayed = [](const OpenMenu& menu, const std::wstring& text) {
        const int index = menu.IndexOf(text);
        return index >= 0 && menu.items[index].grayed;
    };
    EXPECT_FALSE(top.items[0].grayed);
    EXPECT_TRUE(grayed(top, L"長いプログラム"));
    EXPECT_TRUE(grayed(top, L"長い引数"));
    EXPECT_TRUE(grayed(top, L"プログラムなし"));
    EXPECT_FALSE(grayed(listing, kOpenFolderCaption));
    EXPECT_TRUE(grayed(listing, longFile));
    EXPECT_TRUE(grayed(listing, L"café.txt"));
    EXPECT_FALSE(grayed(listing, L"short.txt"));
    EXPECT_TRUE(grayed(sub, kOpenFolderCaption));

    // Its neighbour that fits is answered in full.
    driver.Then([](MenuDriver& d) { d.OpenSubmenu(L"長い"); })
        .Then([](MenuDriver& d) { d.Choose(L"short.txt"); });
    EXPECT_EQ(ShowCommandMenu(table), kMenuOpenAnswer);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(buffers.FileText(), ToAnsi(longFolder + L"\\short.txt"));
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST_F(FolderMenuTest, TheItemMenuOfAFolderEntryIsTheFolderMenuItself)
{
    EntryTable table;
    table.Add(L"ツール箱", root, L"/e");
    OpenMenu shown;
    driver.Then([&](MenuDriver& d) {
        shown = d.Innermost();
        d.Choose(L"File1.txt");
    });
    EXPECT_EQ(PopupItemMenu(driver.Owner(), table.Data(), buffers.File(), buffers.Parameters(), 150, 90),
              kMenuOpenAnswer);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(shown.Texts(), (Texts{kOpenFolderCaption, L"-", L"フォルダ 9", L"フォルダ 10",
                                    L"a&&b.txt", L"File1.txt", L"file9.txt", L"file10.txt"}));
    EXPECT_EQ(shown.bounds.left, 150);
    EXPECT_EQ(shown.bounds.top, 90);
    EXPECT_EQ(buffers.FileText(), ToAnsi(root + L"\\File1.txt"));
    EXPECT_EQ(buffers.ParametersText(), "");
}
