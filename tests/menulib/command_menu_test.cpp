#include <gtest/gtest.h>

#include "base/program_values.h"
#include "base/system.h"
#include "menulib/menu_library.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/sandbox.h"

namespace {

using Texts = std::vector<std::wstring>;

class CommandMenuTest : public ::testing::Test {
protected:
    void SetUp() override { AppFolder = BuildFolder(); }

    int Show(const EntryTable* table, int dblClick)
    {
        return PopupCommandMenu(driver.Owner(), table ? table->Data() : nullptr,
                                table ? table->Count() : 0, buffers.File(), buffers.Parameters(),
                                100, 120, dblClick);
    }

    MenuDriver driver;
    AnswerBuffers buffers;
};

std::vector<std::wstring> DefaultItems(const OpenMenu& menu)
{
    std::vector<std::wstring> found;
    for (const MenuItemView& item : menu.items)
        if (item.isDefault)
            found.push_back(item.text);
    return found;
}

}  // namespace

TEST_F(CommandMenuTest, ListsEntriesAndSeparatorsThenTheBuiltInActionsAndEscapeAnswersNothing)
{
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe")
        .Add(L"-", L"")
        .Add(L"計算機", L"calc.exe", L"/x");
    OpenMenu shown;
    driver.Then([&](MenuDriver& d) {
        shown = d.Innermost();
        d.Press(VK_ESCAPE);
    });

    EXPECT_EQ(Show(&table, 2), 0);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(shown.Texts(), (Texts{L"メモ帳", L"-", L"計算機", L"-", kBuiltInCaptions[0],
                                    kBuiltInCaptions[1], kBuiltInCaptions[2]}));
    EXPECT_TRUE(shown.items.at(1).separator);  // a line, not an item captioned "-"
    EXPECT_EQ(DefaultItems(shown), Texts{kBuiltInCaptions[1]});
    EXPECT_EQ(shown.bounds.left, 100);
    EXPECT_EQ(shown.bounds.top, 120);
    EXPECT_TRUE(buffers.Untouched());
}

TEST_F(CommandMenuTest, EachBuiltInActionAnswersItsNumberAndTheDoubleClickActionIsTheDefault)
{
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe");
    for (int action = 1; action <= 3; ++action) {
        const int dblClick = action % 3 + 1;  // never the chosen one
        OpenMenu shown;
        driver.Then([&](MenuDriver& d) {
            shown = d.Innermost();
            d.Choose(kBuiltInCaptions[action - 1]);
        });
        EXPECT_EQ(Show(&table, dblClick), action);
        EXPECT_EQ(DefaultItems(shown), Texts{kBuiltInCaptions[dblClick - 1]});
        EXPECT_TRUE(buffers.Untouched());
    }
    EXPECT_TRUE(driver.AllStepsRan());
}

TEST_F(CommandMenuTest, ADoubleClickSettingOutsideOneToThreeMarksNoDefault)
{
    for (int dblClick : {0, 4, -1}) {
        OpenMenu shown;
        driver.Then([&](MenuDriver& d) {
            shown = d.Innermost();
            d.Press(VK_ESCAPE);
        });
        EXPECT_EQ(Show(nullptr, dblClick), 0);
        EXPECT_EQ(shown.Texts().size(), 3u);
        EXPECT_TRUE(DefaultItems(shown).empty()) << dblClick;
    }
    EXPECT_TRUE(driver.AllStepsRan());
}

TEST_F(CommandMenuTest, AnEmptyTableStillOffersTheBuiltInActions)
{
    OpenMenu shown;
    driver.Then([&](MenuDriver& d) {
        shown = d.Innermost();
        d.Choose(kBuiltInCaptions[2]);
    });
    EXPECT_EQ(Show(nullptr, 1), 3);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(shown.Texts(), (Texts{kBuiltInCaptions[0], kBuiltInCaptions[1], kBuiltInCaptions[2]}));
}

TEST_F(CommandMenuTest, AnEntryAnswersItsProgramAndArgumentsByteForByte)
{
    EntryTable table;
    table.Add(L"メモ帳", L"C:\\windows\\notepad.exe")
        .Add(L"-", L"")
        .Add(L"道具箱", L"C:\\ツール 集\\道具.exe", L"/a \"引数 付き\" %TEMP%");
    driver.Then([](MenuDriver& d) { d.Choose(L"道具箱"); });

    EXPECT_EQ(Show(&table, 1), kMenuOpenAnswer);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(buffers.FileText(), ToAnsi(L"C:\\ツール 集\\道具.exe"));
    EXPECT_EQ(buffers.ParametersText(), ToAnsi(L"/a \"引数 付き\" %TEMP%"));
    EXPECT_TRUE(buffers.GuardsIntact());
}
