#include "dialogs/file_type_verbs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/file_type_registrations.h"

namespace {

const wchar_t kOwn[] = L".kvtown";
const wchar_t kLinked[] = L".kvtcls";
const wchar_t kClass[] = L"KorvaneTest.Doc";

class FileTypeVerbsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* top : {kOwn, kLinked, kClass})
            reg.Reset(top);
    }

    // A class with open (the quoted program), print with a display name and
    // an edit verb without one.
    void WriteClass()
    {
        reg.Set(std::wstring(kClass) + L"\\shell\\open\\command",
                L"\"C:\\Program Files\\Korvane Test\\viewer.exe\" \"%1\"");
        reg.Set(std::wstring(kClass) + L"\\shell\\print", L"印刷(&P)");
        reg.Set(std::wstring(kClass) + L"\\shell\\print\\command",
                L"%SystemRoot%\\system32\\NOTEPAD.EXE /p %1", REG_EXPAND_SZ);
        reg.Set(std::wstring(kClass) + L"\\shell\\Edit\\command", L"editor.exe %1");
    }

    FileTypeRegistrations reg;
};

std::vector<std::wstring> Labels(const FileTypeVerbs& verbs)
{
    std::vector<std::wstring> labels;
    for (const VerbLine& line : verbs.lines)
        labels.push_back(line.label);
    return labels;
}

std::vector<std::wstring> Programs(const FileTypeVerbs& verbs)
{
    std::vector<std::wstring> programs;
    for (const VerbLine& line : verbs.lines)
        programs.push_back(line.program);
    return programs;
}

}  // namespace

TEST_F(FileTypeVerbsTest, ExtensionsAreTheDottedClassKeysWithoutTheirDot)
{
    WriteClass();
    reg.Set(kLinked, kClass);
    reg.CreateKey(kOwn);
    const std::vector<std::wstring> extensions = RegisteredExtensions();
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), L"kvtcls"), extensions.end());
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), L"kvtown"), extensions.end());
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), L"lnk"), extensions.end());
    EXPECT_EQ(std::find(extensions.begin(), extensions.end(), kClass), extensions.end());
    EXPECT_EQ(std::find(extensions.begin(), extensions.end(), L".kvtcls"), extensions.end());
}

TEST_F(FileTypeVerbsTest, ClassVerbsWithLabelsProgramsAndTheOpenDefault)
{
    WriteClass();
    reg.Set(kLinked, kClass);
    const FileTypeVerbs verbs = ReadFileTypeVerbs(L"kvtcls");
    // Registry keys enumerate in name order.
    EXPECT_EQ(verbs.labels, (std::vector<std::wstring>{L"Edit", L"open", L"印刷(P)"}));
    EXPECT_EQ(Labels(verbs), verbs.labels);
    EXPECT_EQ(Programs(verbs),
              (std::vector<std::wstring>{L"editor.exe",
                                         L"\"C:\\Program Files\\Korvane Test\\viewer.exe\"",
                                         L"%SystemRoot%\\system32\\NOTEPAD.EXE"}));
    EXPECT_EQ(verbs.defaultLine, 1);
}

TEST_F(FileTypeVerbsTest, UnregisteredOrDottedOrClasslessExtensionsListNothing)
{
    WriteClass();
    reg.Set(kLinked, kClass);
    for (const wchar_t* typed : {L".kvtcls", L"kvtnone", L"", L"KorvaneTest"}) {
        const FileTypeVerbs verbs = ReadFileTypeVerbs(typed);
        EXPECT_TRUE(verbs.lines.empty()) << typed;
        EXPECT_TRUE(verbs.labels.empty()) << typed;
        EXPECT_EQ(verbs.defaultLine, -1) << typed;
    }
    // An extension without a class name, or naming a class without verbs.
    reg.CreateKey(kOwn);
    EXPECT_TRUE(ReadFileTypeVerbs(L"kvtown").labels.empty());
    reg.Set(kOwn, L"KorvaneTest.Missing");
    EXPECT_TRUE(ReadFileTypeVerbs(L"kvtown").labels.empty());
    reg.Set(kLinked, L"");
    EXPECT_TRUE(ReadFileTypeVerbs(L"kvtcls").labels.empty());
}

TEST_F(FileTypeVerbsTest, AnExtensionsOwnShellWinsOverItsClass)
{
    WriteClass();
    reg.Set(kOwn, kClass);
    reg.Set(std::wstring(kOwn) + L"\\shell\\play\\command", L"\"C:\\player.exe\"");
    const FileTypeVerbs verbs = ReadFileTypeVerbs(L"kvtown");
    EXPECT_EQ(verbs.labels, (std::vector<std::wstring>{L"play"}));
    EXPECT_EQ(Programs(verbs), (std::vector<std::wstring>{L"\"C:\\player.exe\""}));
    EXPECT_EQ(verbs.defaultLine, -1);  // no "open" among its own verbs
    // An own shell key without verbs still hides the class's verbs.
    reg.Reset(kOwn);
    reg.Set(kOwn, kClass);
    reg.CreateKey(std::wstring(kOwn) + L"\\shell");
    EXPECT_TRUE(ReadFileTypeVerbs(L"kvtown").labels.empty());
}

TEST_F(FileTypeVerbsTest, TheShellKeysDefaultVerbInAnyCaseSelectsItsOwnLine)
{
    WriteClass();
    reg.Set(kLinked, kClass);
    const std::wstring shell = std::wstring(kClass) + L"\\shell";
    reg.Set(shell, L"PRINT");
    EXPECT_EQ(ReadFileTypeVerbs(L"kvtcls").defaultLine, 2);
    reg.Set(shell, L"edit");
    EXPECT_EQ(ReadFileTypeVerbs(L"kvtcls").defaultLine, 0);
    reg.Set(shell, L"");  // an empty default means "open"
    EXPECT_EQ(ReadFileTypeVerbs(L"kvtcls").defaultLine, 1);

    // A default verb without a command line has no line to select.
    reg.Set(shell + L"\\browse", L"参照");
    reg.Set(shell, L"browse");
    const FileTypeVerbs noLine = ReadFileTypeVerbs(L"kvtcls");
    EXPECT_EQ(noLine.defaultLine, -1);
    EXPECT_EQ(noLine.lines.size(), 3u);
    EXPECT_EQ(noLine.labels.front(), L"参照");  // still measured for the tab stop
}

TEST_F(FileTypeVerbsTest, VerbsWithoutACommandLineBeforeTheDefaultDoNotShiftIt)
{
    const std::wstring shell = std::wstring(kOwn) + L"\\shell";
    reg.CreateKey(shell + L"\\aaa");                     // no command key
    reg.CreateKey(shell + L"\\bbb\\command");            // no command value
    reg.Set(shell + L"\\ccc\\command", L" starts-blank");  // no program part
    reg.Set(shell + L"\\ddd\\command", L"d.exe");
    reg.Set(shell + L"\\eee\\command", L"e.exe %1");
    reg.Set(shell, L"Eee");
    const FileTypeVerbs verbs = ReadFileTypeVerbs(L"kvtown");
    EXPECT_EQ(verbs.labels, (std::vector<std::wstring>{L"aaa", L"bbb", L"ccc", L"ddd", L"eee"}));
    EXPECT_EQ(Programs(verbs), (std::vector<std::wstring>{L"d.exe", L"e.exe"}));
    EXPECT_EQ(verbs.defaultLine, 1);
}

TEST_F(FileTypeVerbsTest, ReadingNeverCreatesKeysOrValues)
{
    WriteClass();
    reg.Set(kLinked, kClass);
    const std::wstring shell = std::wstring(kClass) + L"\\shell";
    reg.CreateKey(shell + L"\\nocommand");
    const RegistryTree ownBefore = CopyRegistryTree(HKEY_CLASSES_ROOT, kOwn);
    const RegistryTree linkedBefore = CopyRegistryTree(HKEY_CLASSES_ROOT, kLinked);
    const RegistryTree classBefore = CopyRegistryTree(HKEY_CLASSES_ROOT, kClass);

    RegisteredExtensions();
    for (const wchar_t* typed : {L"kvtown", L"kvtcls", L"kvtnone"})
        ReadFileTypeVerbs(typed);

    EXPECT_TRUE(ownBefore.Empty());
    EXPECT_EQ(CopyRegistryTree(HKEY_CLASSES_ROOT, kOwn), ownBefore);
    EXPECT_EQ(CopyRegistryTree(HKEY_CLASSES_ROOT, kLinked), linkedBefore);
    EXPECT_EQ(CopyRegistryTree(HKEY_CLASSES_ROOT, kClass), classBefore);
    EXPECT_FALSE(classBefore.keys.contains(L"shell\\nocommand\\command"));
    EXPECT_TRUE(CopyRegistryTree(HKEY_CLASSES_ROOT, L".kvtnone").Empty());
}
