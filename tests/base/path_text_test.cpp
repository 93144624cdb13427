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
    EXPECT_EQ(SlotDisplayName(0, 0), L"(なし)");
    EXPECT_EQ(SlotDisplayName(0, 3), L"右");
    EXPECT_EQ(SlotDisplayName(0, 8), L"左上");
    EXPECT_EQ(SlotDisplayName(1, 0), L"A[a]");
    EXPECT_EQ(SlotDisplayName(1, 25), L"Z[z]");
    EXPECT_EQ(SlotDisplayName(1, 26), L"0");
    EXPECT_EQ(SlotDisplayName(1, 27), L"1[!]");
    EXPECT_EQ(SlotDisplayName(1, 28), L"2[\"]");
    EXPECT_EQ(SlotDisplayName(1, 28).size(), 4u);
    EXPECT_EQ(SlotDisplayName(1, 33), L"7[']");
    EXPECT_EQ(SlotDisplayName(1, 35), L"9[)]");
    EXPECT_EQ(SlotDisplayName(2, 0), L"");
    EXPECT_EQ(SlotDisplayName(-1, 500), L"");
}

TEST(SlotNames, IndexOutsideTheTableIsError5)
{
    for (auto [kind, index] : {std::pair{0, 9}, {0, -1}, {1, 36}, {1, -1}}) {
        try {
            SlotDisplayName(kind, index);
            ADD_FAILURE() << kind << "," << index;
        } catch (const NumberedError& e) {
            EXPECT_EQ(e.Number(), 5);
        }
    }
}
