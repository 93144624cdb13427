#include "dialogs/command_fields.h"

#include <functional>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/path_text.h"
#include "base/system.h"
#include "commands/shell_command.h"
#include "dialogs/dlg_extension.h"
#include "dialogs/field_edits.h"
#include "dialogs/settings_frame.h"
#include "forms/form.h"
#include "objlib/file_dialog.h"
#include "objlib/text_box_tools.h"

namespace {

using Kind = ControlKind;

ControlDesign FieldLabel(int left, int top, int width, std::wstring caption, std::wstring toolTip)
{
    return ControlDesign(Kind::Label, left, top, width, 12, std::move(caption), std::move(toolTip));
}

ControlDesign AccessLabelDesign(int index)
{
    switch (index) {
    case 0:
        return FieldLabel(16, 24, 360, UiText(IDS_COMMAND_LABEL), UiText(IDS_COMMAND_TIP));
    case 1:
        return FieldLabel(16, 68, 360, UiText(IDS_WORK_DIR_LABEL), UiText(IDS_WORK_DIR_TIP));
    case 2:
        return FieldLabel(16, 112, 180, UiText(IDS_CAPTION_LABEL), UiText(IDS_CAPTION_TIP));
    default:
        return FieldLabel(216, 112, 130, UiText(IDS_WINDOW_STATE_LABEL),
                          UiText(IDS_WINDOW_STATE_TIP));
    }
}

ControlDesign ReferenceButtonDesign(int index)
{
    return index == 0 ? ControlDesign(Kind::CommandButton, 392, 38, 65, 21, UiText(IDS_BROWSE_COMMAND),
                                      UiText(IDS_BROWSE_COMMAND_TIP))
                      : ControlDesign(Kind::CommandButton, 392, 82, 65, 21, UiText(IDS_BROWSE_WORK_DIR),
                                      UiText(IDS_BROWSE_WORK_DIR_TIP));
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

CommandFields::CommandFields(SettingsFrame& frame)
    : frame_(frame),
      fraContents(frame.Dialog(), L"fraContents",
                  ControlDesign(Kind::Frame, 16, 224, 467, 169, {}, UiText(IDS_DETAILS_TIP))
                      .Borderless()),
      // A key's name may hold an ampersand ("6[&]"), shown as it is.
      lblTitle(frame.Dialog(), L"lblTitle", ControlDesign(Kind::Label, 9, 1, 300, 12).Bolded().Style(SS_NOPREFIX),
               &fraContents),
      lblAccess(frame.Dialog(), L"lblAccess", 0, 3, AccessLabelDesign, [this](int) { return &fraContents; }),
      txtCommand(frame.Dialog(), L"txtCommand",
                 ControlDesign(Kind::TextBox, 24, 40, 361, 18, {},
                               UiText(IDS_COMMAND_TIP)),
                 &fraContents),
      cmdReference(frame.Dialog(), L"cmdReference", 0, 1, ReferenceButtonDesign,
                   [this](int) { return &fraContents; }),
      txtWorkDir(frame.Dialog(), L"txtWorkDir",
                 ControlDesign(Kind::TextBox, 24, 84, 361, 18, {},
                               UiText(IDS_WORK_DIR_TIP)),
                 &fraContents),
      txtCaption(frame.Dialog(), L"txtCaption",
                 ControlDesign(Kind::TextBox, 24, 128, 177, 18, {}, UiText(IDS_CAPTION_TIP)),
                 &fraContents),
      cboWindowState(frame.Dialog(), L"cboWindowState",
                     ControlDesign(Kind::ComboBox, 224, 128, 121, 20, {},
                                   UiText(IDS_WINDOW_STATE_TIP)),
                     &fraContents),
      chkSetFocus(frame.Dialog(), L"chkSetFocus",
                  ControlDesign(Kind::CheckBox, 360, 132, 100, 16, UiText(IDS_SET_FOCUS),
                                UiText(IDS_SET_FOCUS_TIP)),
                  &fraContents),
      mnuReference(L"mnuReference",
                   {UiText(IDS_BROWSE_FILE), UiText(IDS_BROWSE_FOLDER), UiText(IDS_BROWSE_ASSOCIATION)})
{
    // The fields in the order they are on the screen, each label just
    // before its field so that its access key lands there.
    frame.OrderTabs({&lblAccess(0), &txtCommand, &cmdReference(0), &lblAccess(1), &txtWorkDir,
                        &cmdReference(1), &lblAccess(2), &txtCaption, &lblAccess(3),
                        &cboWindowState, &chkSetFocus});
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
    mnuReference.OnClick = [this](int index) { mnuReferenceCmd_Click(index); };
}

void CommandFields::Load()
{
    fraContents.BringToFront();
    for (UINT state : {IDS_STATE_AUTOMATIC, IDS_STATE_NORMAL, IDS_STATE_MAXIMIZED, IDS_STATE_MINIMIZED})
        cboWindowState.AddItem(UiText(state));
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

void CommandFields::Unload()
{
    commandDrop_.reset();
    workDirDrop_.reset();
}

void CommandFields::Serve(FieldEdits& page, bool fullCommand)
{
    page_ = &page;
    fraContents.SetVisible(true);
    for (Control* field : {&lblAccess(1), &txtWorkDir, &cmdReference(1), &lblAccess(3),
                           &cboWindowState, &chkSetFocus})
        field->SetVisible(fullCommand);
}

void CommandFields::Hide() { fraContents.SetVisible(false); }

void CommandFields::Show(std::shared_ptr<ShellCommand> command, const std::wstring& title)
{
    Filling = true;
    item_ = std::move(command);
    lblTitle.SetText(title);
    const ShellCommand* item = item_.get();
    // Only the menu page can be without a command to show: its list is
    // empty or has no selection.
    if (!item) {
        txtCommand.SetText({});
        txtWorkDir.SetText({});
        txtCaption.SetText({});
        cboWindowState.SetListIndex(0);
        chkSetFocus.SetValue(1);
        EnableItemFields(false);
    } else {
        txtCommand.SetText(item->Command());
        txtWorkDir.SetText(item->WorkDir());
        txtCaption.SetText(item->Caption);
        // A stored state the list does not hold selects nothing (and stays
        // stored), rather than leaving the previous command's state on show.
        const bool listed = item->WindowState >= 0 && item->WindowState < cboWindowState.ListCount();
        cboWindowState.SetListIndex(listed ? item->WindowState : -1);
        chkSetFocus.SetValue(item->SetFocus ? 1 : 0);
        EnableItemFields(true);
    }
    Filling = false;
}

void CommandFields::EnableItemFields(bool enabled)
{
    for (Control* field : {&lblTitle, &fraContents, &lblAccess(0), &cmdReference(0),
                           &cmdReference(1), &lblAccess(2)})
        field->SetEnabled(enabled);
    TextBoxTools::EnableTextBox(txtCommand.hWnd(), enabled);
    TextBoxTools::EnableTextBox(txtCaption.hWnd(), enabled);
}

// Program and working folder alike: the text is taken when it validates.
void CommandFields::txtCommand_Change()
{
    if (!Filling)
        frame_.EnableApply();
}

void CommandFields::txtCaption_Change()
{
    ShellCommand* const item = item_.get();
    if (Filling || !item)
        return;
    frame_.EnableApply();
    item->Caption = txtCaption.Text();
    // The label or list line follows each keystroke.
    page_->CaptionEdited();
}

void CommandFields::cboWindowState_Click()
{
    ShellCommand* const item = item_.get();
    if (Filling || !item)
        return;
    frame_.EnableApply();
    if (cboWindowState.ListIndex() >= 0)
        item->WindowState = cboWindowState.ListIndex();
}

void CommandFields::chkSetFocus_Click()
{
    ShellCommand* const item = item_.get();
    if (Filling || !item)
        return;
    frame_.EnableApply();
    item->SetFocus = chkSetFocus.Value() != 0;
}

void CommandFields::txtCommand_Validate(bool& cancel)
{
    ShellCommand* const item = item_.get();
    if (!item || !Accepted(frame_.Dialog().hWnd(), [&] { item->SetCommand(txtCommand.Text()); }, cancel))
        return;
    // The normalised command, and what it filled in.
    txtCommand.SetText(item->Command());
    txtWorkDir.SetText(item->WorkDir());
    txtCaption.SetText(item->Caption);
    page_->CommandEdited();
}

void CommandFields::txtWorkDir_Validate(bool& cancel)
{
    ShellCommand* const item = item_.get();
    if (!item || !Accepted(frame_.Dialog().hWnd(), [&] { item->SetWorkDir(txtWorkDir.Text()); }, cancel))
        return;
    txtWorkDir.SetText(item->WorkDir());
    page_->CommandEdited();
}

// A program from outside the box (a browse menu, a dropped file) is
// validated at once: a valid text reaches the command, an invalid one has
// shown its message and the box keeps the focus all the same.
void CommandFields::TakeProgramText(const std::wstring& text)
{
    txtCommand.SetText(text);
    txtCommand.SetFocus();
    bool rejected = false;
    txtCommand_Validate(rejected);
}

// A folder from outside the box keeps the focus there, so that leaving the
// box, OK or Apply validate it like a typed one.
void CommandFields::TakeWorkDirText(const std::wstring& text)
{
    txtWorkDir.SetText(text);
    txtWorkDir.SetFocus();
}

void CommandFields::cmdReference_Click(int index)
{
    if (index == 0) {
        frame_.PopupMenuBeside(cmdReference(0), mnuReference);
        return;
    }
    FileDialog dialog = frame_.BrowseFolderDialog();
    std::wstring folder = txtWorkDir.Text();
    if (!dialog.BrowseForFolder(folder))
        return;
    TakeWorkDirText(ChosenFolderText(folder));
}

void CommandFields::mnuReferenceCmd_Click(int index)
{
    std::wstring path;
    if (index == 0) {
        FileDialog dialog = frame_.BrowseFileDialog();
        dialog.DefaultExt = L".exe";
        dialog.Filter = FilterList({{UiText(IDS_PROGRAM_FILTER),
                                     L"*.exe;*.scr;*.com;*.bat"},
                                    {UiText(IDS_ALL_FILES), L"*.*"}});
        dialog.Flags = kOpenFileFlags;
        const std::vector<std::wstring> chosen = dialog.ShowOpen();
        if (chosen.empty())
            return;
        path = chosen.front();
    } else if (index == 1) {
        FileDialog dialog = frame_.BrowseFolderDialog();
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
