// The detail frame of the drag, key and menu pages: the fields of the
// current command, the browse menus, the test run and shortcut files.
#include "dialogs/settings_dialog.h"

#include <functional>

#include "base/numbered_error.h"
#include "base/path_text.h"
#include "base/slot_names.h"
#include "base/system.h"
#include "dialogs/dlg_extension.h"
#include "objlib/file_dialog.h"
#include "objlib/text_box_tools.h"

namespace {

constexpr int kMaxPath = 260;


const wchar_t kBrowseFileTitle[] = L"ファイルの参照";
const wchar_t kBrowseFolderTitle[] = L"フォルダの参照";

std::wstring ShortcutFilter()
{
    return FilterList({{L"ショートカット ファイル (*.lnk)", L"*.lnk"}, {L"すべてのファイル", L"*.*"}});
}

// A file dialog of this dialog, titled and sized alike every time.
FileDialog BrowseDialog(HWND owner, const wchar_t* title)
{
    FileDialog dialog;
    dialog.Title = title;
    dialog.FilterIndex = 1;
    dialog.MaxFileSize = kMaxPath;
    dialog.OwnerWindow = owner;
    return dialog;
}

// Runs a setter of the current command with the text of a box. A rejected
// text shows the setter's message and keeps the focus in the box.
bool Accepted(HWND owner, const std::function<void()>& store, bool& cancel)
{
    try {
        store();
        return true;
    } catch (const NumberedError& error) {
        MsgBox(error.Description(), MB_OK | MB_ICONEXCLAMATION, owner);
        cancel = true;
        return false;
    }
}

// A drive's root keeps its separator: "C:" alone names the drive's current
// folder, not its root.
std::wstring ChosenFolderText(const std::wstring& folder)
{
    const bool driveRoot = folder.size() == 3 && folder[1] == L':' && EndsWithSeparator(folder);
    return driveRoot ? folder : RemoveTrailingSeparator(folder);
}

}  // namespace

void cDlgSettings::WireCommandFields()
{
    for (Control* box : {&txtCommand, &txtWorkDir, &txtCaption})
        box->OnGotFocus = [box] { TextBoxTools::OnTextBoxFocus(box->hWnd()); };
    // The two paths reach the command only once validated.
    txtCommand.OnChange = [this] { txtCommand_Change(); };
    txtWorkDir.OnChange = [this] { txtCommand_Change(); };
    txtCommand.OnValidate = [this](bool& cancel) { txtCommand_Validate(cancel); };
    txtWorkDir.OnValidate = [this](bool& cancel) { txtWorkDir_Validate(cancel); };
    txtCaption.OnChange = [this] { txtCaption_Change(); };
    cboWindowState.OnClick = [this] { cboWindowState_Click(); };
    chkSetFocus.OnClick = [this] { chkSetFocus_Click(); };
    for (int i = cmdReference.LBound(); i <= cmdReference.UBound(); ++i)
        cmdReference(i).OnClick = [this, i] { cmdReference_Click(i); };
    cmdOther.OnClick = [this] { PopupMenuBeside(cmdOther, mnuOther); };
    mnuReference.OnClick = [this](int index) { mnuReferenceCmd_Click(index); };
    mnuOther.OnClick = [this](int index) { mnuOtherCmd_Click(index); };
}

void cDlgSettings::LoadCommandFields()
{
    for (const wchar_t* state : {L"自動", L"通常", L"最大化", L"最小化"})
        cboWindowState.AddItem(state);
    commandDrop_ = std::make_unique<FileDropTarget>(
        txtCommand.hWnd(), [this](const std::vector<std::wstring>& files) {
            // The file becomes an argument of a command already there.
            const std::wstring file = QuoteIfSpaced(files.front());
            const std::wstring text = txtCommand.Text();
            TakeProgramText(text.empty() ? file : text + L" " + file);
        });
    workDirDrop_ = std::make_unique<FileDropTarget>(
        txtWorkDir.hWnd(),
        [this](const std::vector<std::wstring>& files) { TakeWorkDirText(files.front()); });
}

void cDlgSettings::UnloadCommandFields()
{
    commandDrop_.reset();
    workDirDrop_.reset();
}

void cDlgSettings::ShowCurrentItem()
{
    Filling = true;
    switch (CurrentPage) {
    case 0:
        lblTitle.SetText(L"ドラッグ: " + SlotDisplayName(0, SelectedDirection));
        break;
    case 1: {
        // The key list's line is the slot's index.
        ShellCommands& keys = WorkSettings.Keys();
        std::int32_t slot = 0;
        while (slot < keys.Count() && keys.Item(slot) != CurrentItem)
            ++slot;
        lblTitle.SetText(slot < keys.Count() ? L"キー: " + SlotDisplayName(1, slot) : L"キー: ");
        break;
    }
    case 2:
        lblTitle.SetText(L"メニュー");
        break;
    default:
        break;
    }
    // Only the menu page can be without a current item: its list is empty
    // or has no selection.
    if (!CurrentItem) {
        txtCommand.SetText({});
        txtWorkDir.SetText({});
        txtCaption.SetText({});
        cboWindowState.SetListIndex(0);
        chkSetFocus.SetValue(1);
        EnableItemFields(false);
    } else {
        txtCommand.SetText(CurrentItem->Command());
        txtWorkDir.SetText(CurrentItem->WorkDir());
        txtCaption.SetText(CurrentItem->Caption);
        cboWindowState.SetListIndex(CurrentItem->WindowState);
        chkSetFocus.SetValue(CurrentItem->SetFocus ? 1 : 0);
        EnableItemFields(true);
    }
    UpdateItemButtons();
    Filling = false;
}

void cDlgSettings::EnableItemFields(bool enabled)
{
    for (Control* field : {&lblTitle, &fraContents, &lblAccess(0), &cmdReference(0),
                           &cmdReference(1), &lblAccess(2)})
        field->SetEnabled(enabled);
    TextBoxTools::EnableTextBox(txtCommand.hWnd(), enabled);
    TextBoxTools::EnableTextBox(txtCaption.hWnd(), enabled);
}

// Program and working folder alike: the text is taken when it validates.
void cDlgSettings::txtCommand_Change()
{
    if (!Filling)
        EnableApply();
}

void cDlgSettings::txtCaption_Change()
{
    if (Filling || !CurrentItem)
        return;
    EnableApply();
    CurrentItem->Caption = txtCaption.Text();
    // The label or list line follows each keystroke.
    UpdateItemButtons();
    RefreshItemCaption();
}

void cDlgSettings::cboWindowState_Click()
{
    if (Filling || !CurrentItem)
        return;
    EnableApply();
    if (cboWindowState.ListIndex() >= 0)
        CurrentItem->WindowState = cboWindowState.ListIndex();
}

void cDlgSettings::chkSetFocus_Click()
{
    if (Filling || !CurrentItem)
        return;
    EnableApply();
    CurrentItem->SetFocus = chkSetFocus.Value() != 0;
}

void cDlgSettings::txtCommand_Validate(bool& cancel)
{
    if (!CurrentItem || !Accepted(hWnd(), [&] { CurrentItem->SetCommand(txtCommand.Text()); }, cancel))
        return;
    // The normalised command, and what it filled in.
    txtCommand.SetText(CurrentItem->Command());
    txtWorkDir.SetText(CurrentItem->WorkDir());
    txtCaption.SetText(CurrentItem->Caption);
    UpdateItemButtons();
}

void cDlgSettings::txtWorkDir_Validate(bool& cancel)
{
    if (!CurrentItem || !Accepted(hWnd(), [&] { CurrentItem->SetWorkDir(txtWorkDir.Text()); }, cancel))
        return;
    txtWorkDir.SetText(CurrentItem->WorkDir());
    UpdateItemButtons();
}

// A program from outside the box (a browse menu, a dropped file) is
// validated at once: a valid text reaches the command, an invalid one has
// shown its message and the box keeps the focus all the same.
void cDlgSettings::TakeProgramText(const std::wstring& text)
{
    txtCommand.SetText(text);
    txtCommand.SetFocus();
    bool rejected = false;
    txtCommand_Validate(rejected);
}

// A folder from outside the box keeps the focus there, so that leaving the
// box, OK or Apply validate it like a typed one.
void cDlgSettings::TakeWorkDirText(const std::wstring& text)
{
    txtWorkDir.SetText(text);
    txtWorkDir.SetFocus();
}

void cDlgSettings::PopupMenuBeside(Control& button, PopupMenu& menu)
{
    RECT bounds{};
    GetWindowRect(button.hWnd(), &bounds);
    POINT topLeft{bounds.left, bounds.top};
    POINT bottomRight{bounds.right, bounds.bottom};
    ScreenToClient(hWnd(), &topLeft);
    ScreenToClient(hWnd(), &bottomRight);
    menu.Popup(*this, bottomRight.x, topLeft.y);
}

void cDlgSettings::cmdReference_Click(int index)
{
    if (index == 0) {
        PopupMenuBeside(cmdReference(0), mnuReference);
        return;
    }
    FileDialog dialog = BrowseDialog(hWnd(), kBrowseFolderTitle);
    std::wstring folder = txtWorkDir.Text();
    if (!dialog.BrowseForFolder(folder))
        return;
    TakeWorkDirText(ChosenFolderText(folder));
}

void cDlgSettings::mnuReferenceCmd_Click(int index)
{
    std::wstring path;
    if (index == 0) {
        FileDialog dialog = BrowseDialog(hWnd(), kBrowseFileTitle);
        dialog.DefaultExt = L".exe";
        dialog.Filter = FilterList({{L"プログラム ファイル (*.exe, *.scr, *.com, *.bat)",
                                     L"*.exe;*.scr;*.com;*.bat"},
                                    {L"すべてのファイル", L"*.*"}});
        dialog.Flags = kOpenFileFlags;
        const std::vector<std::wstring> chosen = dialog.ShowOpen();
        if (chosen.empty())
            return;
        path = chosen.front();
    } else if (index == 1) {
        FileDialog dialog = BrowseDialog(hWnd(), kBrowseFolderTitle);
        std::wstring folder = txtCommand.Text();
        if (!dialog.BrowseForFolder(folder))
            return;
        path = ChosenFolderText(folder);
    } else {
        // The program a file type's verb runs; the chooser has no owner.
        cDlgExtension chooser;
        if (!chooser.ShowChoose(path))
            return;
    }
    TakeProgramText(QuoteIfSpaced(path));
}

void cDlgSettings::mnuOtherCmd_Click(int index)
{
    if (!CurrentItem && index != kLoadShortcutEntry)
        return;
    switch (index) {
    case kTestRunEntry: {
        // From just under the button's lower-left corner, as unsaved as it is.
        RECT bounds{};
        GetWindowRect(cmdOther.hWnd(), &bounds);
        CurrentItem->Execute(hWnd(), bounds.left, bounds.bottom);
        break;
    }
    case kLoadShortcutEntry:
        LoadShortcut();
        break;
    case kSaveShortcutEntry:
        SaveShortcut();
        break;
    default:
        break;
    }
}

void cDlgSettings::LoadShortcut()
{
    FileDialog dialog = BrowseDialog(hWnd(), kBrowseFileTitle);
    dialog.DefaultExt = L".lnk";
    dialog.Filter = ShortcutFilter();
    dialog.Flags = kOpenShortcutFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (chosen.empty())
        return;
    // On the menu page the shortcut becomes a new entry below the selection.
    const bool newEntry = CurrentPage == 2;
    if (newEntry)
        cmdAdd_Click();
    if (!CurrentItem || !CurrentItem->Load(chosen.front())) {
        if (newEntry)
            cmdRemove_Click();
        MsgBox(L"ショートカットファイルが無効です。", MB_OK | MB_ICONEXCLAMATION, hWnd());
        return;
    }
    RefreshItemCaption();
    ShowCurrentItem();
}

void cDlgSettings::SaveShortcut()
{
    FileDialog dialog = BrowseDialog(hWnd(), kBrowseFileTitle);
    dialog.DefaultExt = L".lnk";
    dialog.Filter = ShortcutFilter();
    dialog.Flags = kSaveShortcutFlags;
    std::wstring path;
    if (!dialog.ShowSave(path))
        return;
    if (!CurrentItem->Save(path))
        MsgBox(L"保存できませんでした。", MB_OK | MB_ICONEXCLAMATION, hWnd());
}
