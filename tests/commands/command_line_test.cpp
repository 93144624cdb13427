#include "commands/command_line.h"

#include <gtest/gtest.h>

#include "commands/captions.h"
#include "commands/show_command.h"
#include "objlib/link_header.h"

namespace {

void ExpectSplit(const std::wstring& line, const std::wstring& program,
                 const std::wstring& arguments, bool quoted)
{
    const SplitCommand split = SplitCommandLine(line);
    EXPECT_EQ(split.program, program) << line;
    EXPECT_EQ(split.arguments, arguments) << line;
    EXPECT_EQ(split.quoted, quoted) << line;
}

}  // namespace

TEST(SplitCommandLine, QuotedProgramEndsAtQuoteBlankOrAtTheClosingQuote)
{
    ExpectSplit(L"\"C:\\Program Files\\App\\app.exe\"   -x  ", L"C:\\Program Files\\App\\app.exe",
                L"-x", true);
    ExpectSplit(L"  \"C:\\a b\\x.exe  \"", L"C:\\a b\\x.exe", L"", true);
    // The quote-blank pair is searched from the second character on.
    ExpectSplit(L"\"a\"b\" c d ", L"a\"b", L"c d", true);
    ExpectSplit(L"\"C:\\a b\\x.exe\" ", L"C:\\a b\\x.exe", L"", true);
}

TEST(SplitCommandLine, QuotedProgramFollowedByQuotedArgumentIsNotOneProgram)
{
    ExpectSplit(L"\"C:\\a b\\x.exe\" \"C:\\my docs\\y.txt\"", L"C:\\a b\\x.exe",
                L"\"C:\\my docs\\y.txt\"", true);
    ExpectSplit(L"\"x.exe\" -a \"b c\"", L"x.exe", L"-a \"b c\"", true);
}

TEST(SplitCommandLine, UnquotedProgramEndsAtTheFirstBlank)
{
    ExpectSplit(L"  notepad.exe  /p  a.txt ", L"notepad.exe", L"/p  a.txt", false);
    ExpectSplit(L"C:/Tools/a.exe", L"C:/Tools/a.exe", L"", false);
    ExpectSplit(L"a\tb c", L"a\tb", L"c", false);  // only the blank separates
    ExpectSplit(L"\"C:\\a b", L"\"C:\\a", L"b", false);  // an unclosed quote is text
}

TEST(SplitCommandLine, EmptyProgramKeepsArgumentsAndDropsQuotes)
{
    ExpectSplit(L"", L"", L"", false);
    ExpectSplit(L"     ", L"", L"", false);
    ExpectSplit(L"\"   \"", L"", L"", false);
    ExpectSplit(L"\"\" -x ", L"", L"-x", false);
}

TEST(CommandLineText, StoredFormAndJoinedLine)
{
    EXPECT_EQ(StoredProgramText(SplitCommandLine(L"C:/Tools/a.exe -a/b")), L"C:\\Tools\\a.exe");
    EXPECT_EQ(StoredProgramText(SplitCommandLine(L"\"C:/P F/a.exe\" x")), L"\"C:\\P F\\a.exe\"");
    EXPECT_EQ(StoredProgramText(SplitCommandLine(L"\"\" x")), L"");
    EXPECT_EQ(JoinCommandLine(L"\"C:\\P F\\a.exe\"", L"-x"), L"\"C:\\P F\\a.exe\" -x");
    EXPECT_EQ(JoinCommandLine(L"a.exe", L""), L"a.exe");
    EXPECT_EQ(JoinCommandLine(L"", L"-x"), L"");
    EXPECT_EQ(FolderOf(L"%windir%\\notepad.exe"), L"%windir%\\");
    EXPECT_EQ(FolderOf(L"C:\\Tools\\"), L"C:\\Tools\\");
    EXPECT_EQ(FolderOf(L"notepad.exe"), L"");
}

TEST(CommandLineText, TrimmingTouchesBlanksOnly)
{
    EXPECT_EQ(TrimBlanks(L"  a b  "), L"a b");
    EXPECT_EQ(TrimBlanks(L"\t a \t"), L"\t a \t");
    EXPECT_EQ(TrimLeadingBlanks(L"  a  "), L"a  ");
    EXPECT_EQ(TrimTrailingBlanks(L"  a  "), L"  a");
    EXPECT_EQ(TrimBlanks(L"    "), L"");
    EXPECT_EQ(TrimTrailingBlanks(L""), L"");
}

TEST(CommandLineText, WorkingFolderAsTyped)
{
    const FolderText quoted = ParseFolderText(L"  \"C:\\Program Files  \"  ");
    EXPECT_EQ(quoted.folder, L"C:\\Program Files");
    EXPECT_TRUE(quoted.quoted);
    EXPECT_EQ(StoredFolderText(quoted), L"\"C:\\Program Files\"");

    const FolderText plain = ParseFolderText(L" %TEMP%\\x ");
    EXPECT_EQ(plain.folder, L"%TEMP%\\x");
    EXPECT_EQ(StoredFolderText(plain), L"%TEMP%\\x");

    EXPECT_EQ(StoredFolderText(ParseFolderText(L"   ")), L"");
    EXPECT_EQ(StoredFolderText(ParseFolderText(L"\"  \"")), L"");
    EXPECT_EQ(StoredFolderText(ParseFolderText(L"\"")), L"\"");
}

TEST(ProgramExtensions, LowerCasedInOrderWithEmptyEntriesSkipped)
{
    EXPECT_EQ(ProgramExtensions(L".EXE;;.BAT"), (std::vector<std::wstring>{L".exe", L".bat"}));
    EXPECT_EQ(ProgramExtensions(L""),
              (std::vector<std::wstring>{L".com", L".exe", L".bat", L".cmd"}));
    EXPECT_EQ(ProgramExtensions(L";.Js;"), (std::vector<std::wstring>{L".js"}));
    EXPECT_TRUE(ProgramExtensions(L";").empty());
}

TEST(Captions, DerivedFromTheFileName)
{
    EXPECT_EQ(DeriveCaption(L"C:\\WINDOWS\\NOTEPAD.EXE"), L"NOTEPAD");
    EXPECT_EQ(DeriveCaption(L"C:\\Tools\\Winamp3.exe"), L"Winamp");
    EXPECT_EQ(DeriveCaption(L"C:\\Tools\\7zip2.exe"), L"7zip2");
    EXPECT_EQ(DeriveCaption(L"C:\\Tools\\x264.exe"), L"x");
    EXPECT_EQ(DeriveCaption(L"C:\\v1.2\\tar.gz.exe"), L"tar.gz");
    EXPECT_EQ(DeriveCaption(L"tool"), L"tool");
    EXPECT_EQ(DeriveCaption(L"C:\\Tools\\"), L"");
    EXPECT_EQ(DeriveCaption(L"9"), L"9");
}

TEST(Captions, DisplayCaptionNeedsAProgram)
{
    EXPECT_EQ(DisplayCaptionOf(L"", L""), L"---");
    EXPECT_EQ(DisplayCaptionOf(L"", L"Editor"), L"---");
    EXPECT_EQ(DisplayCaptionOf(L"a.exe", L""), L"(nameless)");
    EXPECT_EQ(DisplayCaptionOf(L"a.exe", L"Editor"), L"Editor");
}

TEST(ShowCommands, StatesMapToShowCommandsAndBack)
{
    const std::int32_t withFocus[] = {5, 1, 3, 2};
    const std::int32_t withoutFocus[] = {8, 4, 3, 7};
    for (std::int32_t state = 0; state < 4; ++state) {
        EXPECT_EQ(ShowCommandOf(state, true), withFocus[state]);
        EXPECT_EQ(ShowCommandOf(state, false), withoutFocus[state]);
        for (bool focus : {true, false}) {
            const WindowStateAndFocus back = WindowStateOfShowCommand(ShowCommandOf(state, focus));
            EXPECT_EQ(back.windowState, state);
            // A maximized window is always activated.
            EXPECT_EQ(back.setFocus, focus || state == kStateMaximized);
        }
    }
    EXPECT_EQ(ShowCommandOf(4, true), 0);
    EXPECT_EQ(ShowCommandOf(-1, false), 0);

    const WindowStateAndFocus minimize = WindowStateOfShowCommand(6);
    EXPECT_EQ(minimize.windowState, kStateMinimized);
    EXPECT_FALSE(minimize.setFocus);
    for (std::int32_t unknown : {0, 9, 11, -1}) {
        EXPECT_EQ(WindowStateOfShowCommand(unknown).windowState, kStateMaximized) << unknown;
        EXPECT_TRUE(WindowStateOfShowCommand(unknown).setFocus) << unknown;
    }
}

TEST(LinkHeader, ShowCommandOnlyFromAShellLinkHeader)
{
    std::string header(kLinkHeaderSize, '\0');
    header[0] = 0x4C;
    const unsigned char classId[] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    for (size_t i = 0; i < sizeof classId; ++i)
        header[4 + i] = static_cast<char>(classId[i]);
    header[0x3C] = 7;
    EXPECT_EQ(ShowCommandOfLinkHeader(header), 7);
    header[0x3F] = '\x01';
    EXPECT_EQ(ShowCommandOfLinkHeader(header), 0x01000007);

    EXPECT_EQ(ShowCommandOfLinkHeader(header.substr(0, kLinkHeaderSize - 1)), std::nullopt);
    std::string wrongClass = header;
    wrongClass[4] = 0x02;
    EXPECT_EQ(ShowCommandOfLinkHeader(wrongClass), std::nullopt);
    std::string wrongSize = header;
    wrongSize[0] = 0x4D;
    EXPECT_EQ(ShowCommandOfLinkHeader(wrongSize), std::nullopt);
    EXPECT_EQ(ShowCommandOfLinkHeader(""), std::nullopt);
}
