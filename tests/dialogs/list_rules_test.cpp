#include "dialogs/list_rules.h"

#include <gtest/gtest.h>

TEST(ListRules, MenuEntriesMoveOneLineAtATimeAndNeverPastTheEnds)
{
    struct Row {
        int line;
        int count;
        ItemButtonStates states;
    };
    const Row rows[] = {
        {-1, 0, {true, false, false, false, false}},  // an empty menu
        {-1, 3, {true, false, false, false, false}},  // no entry selected
        {0, 1, {true, true, true, false, false}},
        {0, 3, {true, true, true, false, true}},
        {1, 3, {true, true, true, true, true}},
        {2, 3, {true, true, true, true, false}},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(MenuButtonStates(row.line, row.count) == row.states)
            << "line " << row.line << " of " << row.count;
}

TEST(ListRules, RemovingAMenuEntrySelectsTheOneInItsPlaceOrTheOneAbove)
{
    EXPECT_EQ(LineAfterRemoval(0, 1), -1);
    EXPECT_EQ(LineAfterRemoval(0, 3), 0);
    EXPECT_EQ(LineAfterRemoval(1, 3), 1);
    EXPECT_EQ(LineAfterRemoval(2, 3), 1);
}
