#include "base/path_text.h"

#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "base/slot_names.h"

TEST(PathText, RemoveTrailingSeparatorTakesExactlyOne)
{
    EXPECT_EQ(RemoveTrailingSeparator(L"C:\\Tools\\"), L"C:\\Tools");
    EXPECT_EQ(RemoveTrailingSeparator(L"\"C:\\Tools\\\""), L"\"C:\\Tools\"");
    EXPECT_EQ(RemoveTrailingSeparator(L"\"C:\\Tools/\""), L"\"C:\\Tools\"");
    EXPECT_EQ(RemoveTrailingSeparator(L"C:\\Tools"), L"C:\\Tools");
    EXPECT_EQ(RemoveTrailingSeparator(L"C:\\Tools\\\\"), L"C:\\Tools\\");
    EXPECT_EQ(RemoveTrailingSeparator(L"C:/x/"), L"C:/x");
    EXPECT_EQ(RemoveTrailingSeparator(L""), L"");
    EXPECT_EQ(RemoveTrailingSeparator(L"\\"), L"");
    // A lone quote after a separator is not a quoted path.
    EXPECT_EQ(RemoveTrailingSeparator(L"\\\""), L"\\\"");
}

TEST(PathText, UnquoteRemovesOnePairOnly)
{
    EXPECT_EQ(Unquote(L"\""), L"\"");
    EXPECT_EQ(Unquote(L"\"\""), L"");
    EXPECT_EQ(Unquote(L"\"C:\\a b\\x.exe\""), L"C:\\a b\\x.exe");
    EXPECT_EQ(Unquote(L"\"\"x\"\""), L"\"x\"");
    EXPECT_EQ(Unquote(L"\"x"), L"\"x");
    EXPECT_EQ(Unquote(L"x"), L"x");
}

TEST(PathText, QuoteIfSpacedQuotesOnlyUnquotedBlanks)
{
    EXPECT_EQ(QuoteIfSpaced(L"C:\\Program Files\\x.exe"), L"\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(QuoteIfSpaced(L"\"C:\\Program Files\\x.exe\""), L"\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(QuoteIfSpaced(L"C:\\x.exe"), L"C:\\x.exe");
    EXPECT_EQ(QuoteIfSpaced(L""), L"");
    // Tabs are not blanks.
    EXPECT_EQ(QuoteIfSpaced(L"a\tb"), L"a\tb");
}

TEST(SlotNames, DirectionsAndKeys)
{
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 0), L"(なし)");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 3), L"右");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 8), L"左上");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 0), L"A[a]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 25), L"Z[z]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 26), L"0");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 27), L"1[!]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 28), L"2[\"]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 28).size(), 4u);
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 33), L"7[']");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 35), L"9[)]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Menus, 0), L"");
    EXPECT_EQ(SlotDisplayName(static_cast<CommandListKind>(-1), 500), L"");
}

TEST(SlotNames, IndexOutsideTheTableIsError5)
{
    for (auto [kind, index] : {std::pair{CommandListKind::Drags, 9}, {CommandListKind::Drags, -1},
                                    {CommandListKind::Keys, 36}, {CommandListKind::Keys, -1}}) {
        try {
            SlotDisplayName(kind, index);
            ADD_FAILURE() << static_cast<int>(kind) << "," << index;
        } catch (const NumberedError& e) {
            EXPECT_EQ(e.Number(), 5);
        }
    }
}
