#include "dialogs/dlg_extension.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms/screen.h"
#include "forms/window_name.h"
#include "tests/support/file_type_registrations.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_query.h"

namespace {

const wchar_t kText[] = L"KorvaneTest.Text";
const wchar_t kDoc[] = L"KorvaneTest.Doc";
const wchar_t kOwn[] = L".kvtown";
const wchar_t kLinked[] = L".kvtcls";

HWND Dialog() { return FindNamedWindow(L"cDlgExtension"); }

HWND Child(const std::wstring& name)
{
    const HWND dialog = Dialog();
    return dialog ? ChildNamed(dialog, name) : nullptr;
}

std::vector<std::wstring> Lines() { return ListLines(Child(L"lstCommands")); }

int Selected() { return static_cast<int>(SendMessageW(Child(L"lstCommands"), LB_GETCURSEL, 0, 0)); }
bool OkEnabled() { return IsWindowEnabled(Child(L"cmdOk")) != FALSE; }

// Types into the combo box's edit field as a user would, replacing its text.
void TypeExtension(const std::wstring& text)
{
    const HWND edit = GetWindow(Child(L"cboExtension"), GW_CHILD);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
}

// Presses the left button twice on a line of the list.
void DoubleClickLine(int index)
{
    const HWND list = Child(L"lstCommands");
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

void Click(const wchar_t* button) { SendMessageW(Child(button), BM_CLICK, 0, 0); }

class ExtensionChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* top : {L".txt", kOwn, kLinked, kText, kDoc})
            reg.Reset(top);
        // The text files' class: open (the default) and print with a display name.
        reg.Set(L".txt", kText);
        const std::wstring shell = std::wstring(kText) + L"\\shell";
        reg.Set(shell + L"\\open\\command", L"%SystemRoot%\\system32\\NOTEPAD.EXE %1",
                REG_EXPAND_SZ);
        reg.Set(shell + L"\\print", L"印刷(&P)");
        reg.Set(shell + L"\\print\\command",
                L"\"C:\\Program Files\\Korvane Test\\printer.exe\" /p \"%1\"");
    }

    // Shows the chooser and runs the steps one by one inside its modal loop.
    bool Choose(std::wstring& fileName, std::vector<std::function<void()>> steps,
                HWND owner = nullptr)
    {
        const size_t count = steps.size();
        bool rescued = false;
        ModalScript script(std::move(steps), [&] {
            rescued = true;
            PostMessageW(Dialog(), WM_CLOSE, 0, 0);
        });
        cDlgExtension dialog;
        const bool chosen = dialog.ShowChoose(fileName, owner);
        EXPECT_EQ(script.StepsRun(), count) << "the chooser closed before its last step";
        EXPECT_FALSE(rescued) << "the chooser was still open after its last step";
        EXPECT_EQ(Dialog(), nullptr) << "the chooser is unloaded when it returns";
        return chosen;
    }

    FileTypeRegistrations reg;
};

}  // namespace

TEST_F(ExtensionChooserTest, OpensWithTxtAndItsVerbsTheDefaultSelected)
{
    std::wstring fileName = L"unchanged";
    std::vector<std::wstring> items;
    EXPECT_FALSE(Choose(fileName, {[&] {
        const HWND dialog = Dialog();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(TextOf(dialog), L"関連付けの参照");
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 400);
        EXPECT_EQ(client.bottom, 264);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        EXPECT_EQ(TextOf(Child(L"cboExtension")), L"txt");
        EXPECT_EQ(Lines(), (std::vector<std::wstring>{
                               L"open\t%SystemRoot%\\system32\\NOTEPAD.EXE",
                               L"印刷(P)\t\"C:\\Program Files\\Korvane Test\\printer.exe\""}));
        EXPECT_EQ(Selected(), 0);
        EXPECT_TRUE(OkEnabled());
        const HWND combo = Child(L"cboExtension");
        const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            items.push_back(item);
        }
        Click(L"cmdCancel");
    }}));
    EXPECT_EQ(fileName, L"unchanged");
    EXPECT_NE(std::find(items.begin(), items.end(), L"txt"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), L"lnk"), items.end());
    EXPECT_EQ(std::find(items.begin(), items.end(), kText), items.end());
}

TEST_F(ExtensionChooserTest, TypingAnExtensionRebuildsTheListAndADotFindsNothing)
{
    reg.Set(kLinked, kDoc);
    const std::wstring shell = std::wstring(kDoc) + L"\\shell";
    reg.Set(shell + L"\\view\\command", L"viewer.exe %1");
    reg.Set(shell, L"view");
    std::wstring fileName = L"unchanged";
    EXPECT_FALSE(Choose(fileName, {[&] {
                                       TypeExtension(L".txt");
                                       EXPECT_EQ(TextOf(Child(L"cboExtension")), L".txt");
                                       EXPECT_TRUE(Lines().empty());
                                       EXPECT_EQ(Selected(), -1);
                                       EXPECT_FALSE(OkEnabled());
                                   },
                                   [&] {
                                       TypeExtension(L"kvtcls");
                                       EXPECT_EQ(Lines(), (std::vector<std::wstring>{
                                                              L"view\tviewer.exe"}));
                                       EXPECT_EQ(Selected(), 0);
                                       EXPECT_TRUE(OkEnabled());
                                       PostMessageW(Dialog(), WM_CLOSE, 0, 0);
                                   }}));
    EXPECT_EQ(fileName, L"unchanged");
}

TEST_F(ExtensionChooserTest, PickingAnExtensionFromTheListShowsItsVerbs)
{
    reg.Set(kLinked, kDoc);
    reg.Set(std::wstring(kDoc) + L"\\shell\\open\\command", L"\"C:\\doc viewer.exe\" %1");
    std::wstring fileName;
    EXPECT_TRUE(Choose(fileName, {[&] {
                                      const HWND combo = Child(L"cboExtension");
                                      const LRESULT index = SendMessageW(
                                          combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(L"kvtcls"));
                                      ASSERT_GE(index, 0);
                                      // Walk the list with the arrow keys from the item before.
                                      SendMessageW(combo, CB_SETCURSEL, index - 1, 0);
                                      const HWND edit = GetWindow(combo, GW_CHILD);
                                      SetFocus(edit);
                                      SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 1);
                                  },
                                  [&] {
                                      EXPECT_EQ(TextOf(Child(L"cboExtension")), L"kvtcls");
                                      EXPECT_EQ(Lines(), (std::vector<std::wstring>{
                                                             L"open\t\"C:\\doc viewer.exe\""}));
                                      EXPECT_EQ(Selected(), 0);
                                      Click(L"cmdOk");
                                  }}));
    EXPECT_EQ(fileName, L"\"C:\\doc viewer.exe\"");
}

TEST_F(ExtensionChooserTest, AnExtensionsOwnVerbsWinAndDoubleClickChoosesALine)
{
    reg.Set(kOwn, kText);
    const std::wstring shell = std::wstring(kOwn) + L"\\shell";
    reg.Set(shell + L"\\Edit\\command", L"\"C:\\Tools\\edit it.exe\" \"%1\"");
    reg.Set(shell + L"\\print", L"印刷(&P)");
    reg.Set(shell + L"\\print\\command", L"printer.exe /p %1");
    std::wstring fileName = L"before";
    EXPECT_TRUE(Choose(fileName, {[&] {
                                      TypeExtension(L"kvtown");
                                      EXPECT_EQ(Lines(), (std::vector<std::wstring>{
                                                             L"Edit\t\"C:\\Tools\\edit it.exe\"",
                                                             L"印刷(P)\tprinter.exe"}));
                                      // No verb of its own is "open".
                                      EXPECT_EQ(Selected(), -1);
                                      EXPECT_FALSE(OkEnabled());
                                      DoubleClickLine(0);
                                  }}));
    EXPECT_EQ(fileName, L"\"C:\\Tools\\edit it.exe\"");
}

TEST_F(ExtensionChooserTest, TheDefaultVerbSelectsItsOwnLineOrNone)
{
    reg.Set(kLinked, kDoc);
    const std::wstring shell = std::wstring(kDoc) + L"\\shell";
    reg.CreateKey(shell + L"\\aaa");  // before the default, without a command line
    reg.Set(shell + L"\\open\\command", L"open.exe %1");
    reg.Set(shell + L"\\print\\command", L"print.exe %1");
    reg.Set(shell + L"\\zzz", L"なし");
    reg.Set(shell, L"PRINT");
    std::wstring fileName = L"unchanged";
    EXPECT_TRUE(Choose(fileName, {[&] {
                                      TypeExtension(L"kvtcls");
                                      EXPECT_EQ(Lines(), (std::vector<std::wstring>{
                                                             L"open\topen.exe",
                                                             L"print\tprint.exe"}));
                                      EXPECT_EQ(Selected(), 1);
                                      EXPECT_TRUE(OkEnabled());
                                      reg.Set(shell, L"zzz");
                                      TypeExtension(L"kvtcl");
                                      TypeExtension(L"kvtcls");
                                      EXPECT_EQ(Lines().size(), 2u);
                                      EXPECT_EQ(Selected(), -1);
                                      EXPECT_FALSE(OkEnabled());
                                      // Enter does not confirm without a line.
                                      PostKey(Child(L"lstCommands"), VK_RETURN);
                                  },
                                  [&] {
                                      EXPECT_TRUE(IsWindowVisible(Dialog()));
                                      // Choosing a line enables OK; Enter confirms it.
                                      SendMessageW(Child(L"lstCommands"), WM_KEYDOWN, VK_DOWN, 1);
                                      EXPECT_EQ(Selected(), 0);
                                      EXPECT_TRUE(OkEnabled());
                                      PostKey(Child(L"lstCommands"), VK_RETURN);
                                  }}));
    EXPECT_EQ(fileName, L"open.exe");
}

TEST_F(ExtensionChooserTest, CancelEscapeAndClosingLeaveTheFileNameAlone)
{
    std::wstring fileName = L"keep me";
    EXPECT_FALSE(Choose(fileName, {[] { Click(L"cmdCancel"); }}));
    EXPECT_FALSE(Choose(fileName, {[] { PostKey(Child(L"lstCommands"), VK_ESCAPE); }}));
    EXPECT_FALSE(Choose(fileName, {[] { PostMessageW(Dialog(), WM_CLOSE, 0, 0); }}));
    EXPECT_FALSE(
        Choose(fileName, {[] { PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }}));
    EXPECT_EQ(fileName, L"keep me");
}

TEST_F(ExtensionChooserTest, ControlsInTabOrderAndAnOwnerWhenGiven)
{
    UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr));
    std::wstring fileName;
    EXPECT_FALSE(Choose(
        fileName,
        {[&] {
            const HWND dialog = Dialog();
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
            std::vector<std::wstring> order;
            for (HWND child = GetWindow(dialog, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                order.push_back(WindowNameOf(child));
            EXPECT_EQ(order, (std::vector<std::wstring>{L"Label1", L"cboExtension", L"lstCommands",
                                                        L"cmdOk", L"cmdCancel"}));
            EXPECT_EQ(TextOf(Child(L"Label1")), L"拡張子(&E) :");
            // The label has room for its whole caption on one line, before the combo box.
            const HWND label = Child(L"Label1");
            const RECT labelBounds = BoundsInParent(label);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            EXPECT_GE(labelBounds.right - labelBounds.left,
                      MeasureCaption(label, font, TextOf(label)).cx);
            EXPECT_LE(labelBounds.right, BoundsInParent(Child(L"cboExtension")).left);
            // Centred over its small owner in the screen's corner, it stays wholly on the screen.
            RECT outer{};
            GetWindowRect(dialog, &outer);
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            EXPECT_EQ(outer.left, work.left);
            EXPECT_EQ(outer.top, work.top);
            EXPECT_EQ(TextOf(Child(L"cmdOk")), L"OK");
            EXPECT_EQ(TextOf(Child(L"cmdCancel")), L"キャンセル");
            EXPECT_TRUE(GetWindowLongW(Child(L"cmdOk"), GWL_STYLE) & BS_DEFPUSHBUTTON);
            EXPECT_TRUE(GetWindowLongW(Child(L"lstCommands"), GWL_STYLE) & LBS_USETABSTOPS);
            RECT list{};
            GetWindowRect(Child(L"lstCommands"), &list);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
            EXPECT_EQ(list.left, 8);
            EXPECT_EQ(list.top, 32);
            EXPECT_EQ(list.right - list.left, 385);
            EXPECT_EQ(list.bottom - list.top, 196);
            // The label's access key leads to the combo box, Tab on to the list.
            SetFocus(Child(L"cmdCancel"));
            PostMessageW(Child(L"cmdCancel"), WM_SYSCHAR, L'e', 1 << 29);
        },
         [&] {
             EXPECT_TRUE(IsChild(Child(L"cboExtension"), GetFocus()));
             PostKey(GetFocus(), VK_TAB);
         },
         [&] {
             EXPECT_EQ(GetFocus(), Child(L"lstCommands"));
             Click(L"cmdCancel");
         }},
        owner.get()));
}

TEST_F(ExtensionChooserTest, TheScrollExtentCoversTheWidestLabelAndProgram)
{
    reg.Set(kLinked, kDoc);
    const std::wstring shell = std::wstring(kDoc) + L"\\shell";
    // The widest label belongs to a verb without a command line: it still counts.
    const std::wstring longLabel = L"とても長い表示名の動詞で、コマンドはありません";
    reg.Set(shell + L"\\long", longLabel);
    reg.Set(shell + L"\\open\\command", L"C:\\a\\fairly\\long\\path\\to\\the\\program.exe %1");
    reg.Set(shell + L"\\x\\command", L"x.exe");
    std::wstring fileName;
    EXPECT_FALSE(Choose(fileName, {[&] {
        TypeExtension(L"kvtcls");
        const HWND list = Child(L"lstCommands");
        const HDC dc = GetDC(list);
        const HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        auto width = [&](const std::wstring& text) {
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        };
        const int expected =
            width(longLabel) + width(L"C:\\a\\fairly\\long\\path\\to\\the\\program.exe") + 8;
        SelectObject(dc, previous);
        ReleaseDC(list, dc);
        EXPECT_GT(expected, 385);
        EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), expected);
        // The dialog's font is the one the list draws with.
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
        Click(L"cmdCancel");
    }}));
}

TEST_F(ExtensionChooserTest, NothingIsWrittenUnderTheClassesRoot)
{
    reg.Set(kLinked, kDoc);
    const std::wstring shell = std::wstring(kDoc) + L"\\shell";
    reg.CreateKey(shell + L"\\nocommand");
    reg.CreateKey(shell + L"\\emptycommand\\command");
    reg.Set(shell + L"\\open\\command", L"open.exe");
    const RegistryTree before = CopyRegistryTree(HKEY_CLASSES_ROOT, L"");
    std::wstring fileName;
    EXPECT_TRUE(Choose(fileName, {[] { TypeExtension(L"kvtcls"); },
                                  [] { TypeExtension(L"kvtnone"); },
                                  [] { TypeExtension(L"kvtcls"); },
                                  [] { DoubleClickLine(0); }}));
    EXPECT_EQ(fileName, L"open.exe");
    const RegistryTree after = CopyRegistryTree(HKEY_CLASSES_ROOT, L"");
    EXPECT_GT(before.keys.size(), 100u);
    EXPECT_TRUE(before == after);
    EXPECT_FALSE(after.keys.contains(shell + L"\\nocommand\\command"));
}
