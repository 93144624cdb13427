#pragma once
// The detail fields of the drag, key and menu pages: the shown command's
// program, working folder, display name, window state and focus flag, with
// the browse menus and dropped files for the two paths. They serve the page
// on show, which tells them what to show and hears of each edit.

#include <memory>
#include <string>

#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/file_drop.h"
#include "forms/popup_menu.h"

class FieldEdits;
class SettingsFrame;
class ShellCommand;

class CommandFields {
public:
    explicit CommandFields(SettingsFrame& frame);
    CommandFields(const CommandFields&) = delete;
    CommandFields& operator=(const CommandFields&) = delete;

    // The fields lie over the pages; fills the window states and takes files
    // dropped on the two path boxes.
    void Load();
    void Unload();
    // From now on the fields are shown for this page, with the working
    // folder, window state and focus flag only for a full command; the
    // dialog serves its first page as it loads.
    void Serve(FieldEdits& page, bool fullCommand);
    // The general page has no command to show.
    void Hide();
    // Fills the fields from the command, which the edits go to from now on,
    // under the title; with none they are empty and disabled.
    void Show(std::shared_ptr<ShellCommand> command, const std::wstring& title);
    // Enables or disables the fields all together.
    void EnableItemFields(bool enabled);

private:
    // A path chosen by browsing or dropped, into its box as if typed there.
    void TakeProgramText(const std::wstring& text);
    void TakeWorkDirText(const std::wstring& text);
    void txtCommand_Change();
    void txtCommand_Validate(bool& cancel);
    void txtWorkDir_Validate(bool& cancel);
    void txtCaption_Change();
    void cboWindowState_Click();
    void chkSetFocus_Click();
    void cmdReference_Click(int index);
    void mnuReferenceCmd_Click(int index);

    SettingsFrame& frame_;
    FieldEdits* page_ = nullptr;
    std::shared_ptr<ShellCommand> item_;
    // True while Show writes the fields: their change handlers
    // then do nothing.
    bool Filling = false;

    Control fraContents;
    Control lblTitle;
    ControlArray lblAccess;
    Control txtCommand;
    ControlArray cmdReference;
    Control txtWorkDir;
    Control txtCaption;
    Control cboWindowState;
    Control chkSetFocus;

    // The browse menu of cmdReference(0).
    PopupMenu mnuReference;
    // Files dropped from the shell onto txtCommand and txtWorkDir.
    std::unique_ptr<FileDropTarget> commandDrop_;
    std::unique_ptr<FileDropTarget> workDirDrop_;
};
