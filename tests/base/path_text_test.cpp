#include "base/path_text.h"

#include <gtest/gtest.h>

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
