#include "dialogs/verb_text.h"

#include <gtest/gtest.h>

TEST(VerbText, LabelsDropAccessKeysAndFallBackToTheVerbName)
{
    EXPECT_EQ(VerbLabel(L"印刷(&P)", L"print"), L"印刷(P)");
    EXPECT_EQ(VerbLabel(L"&Open && go&", L"open"), L"Open  go");
    EXPECT_EQ(VerbLabel(L"", L"Edit"), L"Edit");
    // A caption of ampersands only is still a caption: it does not fall back.
    EXPECT_EQ(VerbLabel(L"&", L"edit"), L"");
    // A tab inside a caption must not become the line's separator.
    EXPECT_EQ(VerbLabel(L"Open\twith", L"open"), L"Open with");
    const std::wstring line = VerbListLine(VerbLabel(L"a\tb", L"x"), L"prog.exe");
    EXPECT_EQ(TextAfterFirstTab(line), L"prog.exe");
}

TEST(VerbText, ProgramPartKeepsALeadingQuotedPathWithItsQuotes)
{
    EXPECT_EQ(ProgramPart(L"\"C:\\Program Files\\App\\app.exe\" \"%1\""),
              L"\"C:\\Program Files\\App\\app.exe\"");
    EXPECT_EQ(ProgramPart(L"\"C:\\Tools\\x.exe\"/p"), L"\"C:\\Tools\\x.exe\"");
    EXPECT_EQ(ProgramPart(L"\"\" rest"), L"\"\"");
    EXPECT_EQ(ProgramPart(L"%SystemRoot%\\system32\\NOTEPAD.EXE %1"),
              L"%SystemRoot%\\system32\\NOTEPAD.EXE");
    EXPECT_EQ(ProgramPart(L"notepad.exe"), L"notepad.exe");
    // An unclosed quote is not a quoted path: the text up to the first blank.
    EXPECT_EQ(ProgramPart(L"\"C:\\Program Files\\x.exe %1"), L"\"C:\\Program");
    EXPECT_EQ(ProgramPart(L"\"C:\\unclosed.exe"), L"\"C:\\unclosed.exe");
    // A quote later in the line does not count.
    EXPECT_EQ(ProgramPart(L"app.exe \"%1\""), L"app.exe");
    EXPECT_EQ(ProgramPart(L" leading.exe"), L"");
    EXPECT_EQ(ProgramPart(L""), L"");
}

TEST(VerbText, ExtensionsAreKeyNamesStartingWithADot)
{
    EXPECT_EQ(ExtensionOfKeyName(L".txt"), std::wstring(L"txt"));
    EXPECT_EQ(ExtensionOfKeyName(L"..txt"), std::wstring(L".txt"));
    EXPECT_EQ(ExtensionOfKeyName(L"."), std::wstring());
    EXPECT_FALSE(ExtensionOfKeyName(L"txtfile").has_value());
    EXPECT_FALSE(ExtensionOfKeyName(L"").has_value());
}

TEST(VerbText, LinesSplitAtTheFirstTabOnly)
{
    EXPECT_EQ(VerbListLine(L"開く", L"a.exe"), L"開く\ta.exe");
    EXPECT_EQ(TextAfterFirstTab(L"開く\t\"C:\\a\tb.exe\""), L"\"C:\\a\tb.exe\"");
    EXPECT_EQ(TextAfterFirstTab(L"no tab"), L"");
}

TEST(VerbText, TabStopAndExtentFollowTheWidestTexts)
{
    EXPECT_EQ(VerbTabStop(0), 5);     // 4.6
    EXPECT_EQ(VerbTabStop(32), 23);   // 23.0
    EXPECT_EQ(VerbTabStop(100), 62);  // 62.1
    EXPECT_EQ(VerbTabStop(37), 26);   // 25.875
    EXPECT_EQ(VerbListExtent(40, 200), 248);
    EXPECT_EQ(VerbListExtent(0, 0), 8);
}
