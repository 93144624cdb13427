#include <gtest/gtest.h>

#include "base/program_values.h"
#include "base/system.h"
#include "menulib/menu_library.h"
#include "tests/support/menu_driver.h"
#include "tests/support/menu_test_data.h"
#include "tests/support/sandbox.h"

namespace {

class ItemMenuTest : public ::testing::Test {
protected:
    void SetUp() override { AppFolder = BuildFolder(); }

    MenuDriver driver;
    AnswerBuffers buffers;
};

}  // namespace

TEST_F(ItemMenuTest, AProgramEntryIsOneItemAtTheGivenPointAnsweringItsProgram)
{
    EntryTable table;
    table.Add(L"エディタ (&E)", L"C:\\Program Files\\エディタ\\edit.exe", L"-n \"メモ.txt\"");
    OpenMenu shown;
    driver.Then([&](MenuDriver& d) {
        shown = d.Innermost();
        d.Choose(L"エディタ (&E)");
    });
    EXPECT_EQ(PopupItemMenu(driver.Owner(), table.Data(), buffers.File(), buffers.Parameters(), 220,
                            160),
              kMenuOpenAnswer);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_EQ(shown.Texts(), std::vector<std::wstring>{L"エディタ (&E)"});
    EXPECT_EQ(shown.bounds.left, 220);
    EXPECT_EQ(shown.bounds.top, 160);
    EXPECT_EQ(buffers.FileText(), ToAnsi(L"C:\\Program Files\\エディタ\\edit.exe"));
    EXPECT_EQ(buffers.ParametersText(), ToAnsi(L"-n \"メモ.txt\""));
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST_F(ItemMenuTest, EscapeAnswersNothingAndNoEntryShowsNoMenu)
{
    EntryTable table;
    table.Add(L"エディタ", L"C:\\windows\\notepad.exe");
    driver.Then([](MenuDriver& d) { d.Press(VK_ESCAPE); });
    EXPECT_EQ(PopupItemMenu(driver.Owner(), table.Data(), buffers.File(), buffers.Parameters(), 50,
                            50),
              0);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_TRUE(buffers.Untouched());

    EXPECT_EQ(PopupItemMenu(driver.Owner(), nullptr, buffers.File(), buffers.Parameters(), 50, 50),
              0);
    EXPECT_TRUE(buffers.Untouched());
}

TEST_F(ItemMenuTest, WithoutAnOwnerWindowNothingIsShownOrWritten)
{
    EntryTable table;
    table.Add(L"エディタ", L"C:\\windows\\notepad.exe");
    EXPECT_EQ(PopupItemMenu(nullptr, table.Data(), buffers.File(), buffers.Parameters(), 50, 50), 0);
    EXPECT_EQ(PopupCommandMenu(nullptr, table.Data(), 1, buffers.File(), buffers.Parameters(), 50,
                               50, 1),
              0);
    EXPECT_TRUE(buffers.Untouched());
}
