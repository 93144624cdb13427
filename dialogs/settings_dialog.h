#pragma once
// cDlgSettings, the settings dialog. It edits a working copy of the settings,
// loaded from the registry when it opens; OK and Apply save that copy and
// make the program's live settings reload it.
//
// The dialog is written in one file per page: settings_dialog.cpp holds the
// frame (opening, tabs, page switching, OK, Apply, Cancel), general_page.cpp
// the general options; the drag, key and menu pages and the item buttons go
// in item_pages.cpp, the command detail frame in command_fields.cpp.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/win_handles.h"
#include "commands/shell_command.h"
#include "dialogs/drag_picture.h"
#include "dialogs/settings_host.h"
#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/file_drop.h"
#include "forms/form.h"
#include "forms/popup_menu.h"
#include "settings/settings.h"

class cDlgSettings : public Form {
public:
    // Opens the dialog for its host (the pad) and returns once it has closed.
    // Meanwhile the host has no hot key and is not topmost; both come back from the
    // live settings afterwards.
    static void ShowSettings(SettingsHost& host);

    // Switches to page 0 (drag), 1 (key), 2 (menu) or 3 (general) once the
    // focused control has accepted its value.
    void SelectPage(int index);
    // Saves the working copy, reloads the live settings from it and shows
    // the pad's picture anew.
    void ApplySettings();
    // Something was edited that OK or Apply would save.
    void EnableApply();

    static constexpr int kPageCount = 4;
    static constexpr int kGeneralPage = 3;

private:
    explicit cDlgSettings(SettingsHost& host);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Form_Paint(HDC dc) override;
    bool Form_KeyPreview(int keyCode, int shift) override;
    std::optional<LRESULT> Form_Message(UINT message, WPARAM wParam, LPARAM lParam) override;

    void Form_DpiChanged(const RECT& suggested) override;

    // The frame (settings_dialog.cpp).
    void WireFrame();
    // The tabs' icons in the size of the dialog's resolution.
    void ShowTabIcons();
    void picTab_Paint(int index, HDC dc);
    void picTab_MouseDown(int index);
    void picTab_KeyDown(int keyCode);
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    // The page's captions and tool-tips of the two move buttons.
    void LabelMoveButtons(int page);

    // The general page (general_page.cpp).
    void WireGeneralPage();
    void LoadHotKeyControl();
    // The settings into the page's controls, and back.
    void ShowGeneralSettings();
    void StoreGeneralSettings();
    void optIcon_Click();
    void cmdRefIcon_Click();
    void HotKeyEdited();

    // The command detail frame (command_fields.cpp).
    void WireCommandFields();
    // Fills the window states and takes files dropped on the two path boxes.
    void LoadCommandFields();
    void UnloadCommandFields();
    // Fills the detail fields from CurrentItem and updates the item buttons.
    void ShowCurrentItem();
    // Enables or disables the detail fields all together.
    void EnableItemFields(bool enabled);
    // Pops the menu up beside the button's upper-right corner.
    void PopupMenuBeside(Control& button, PopupMenu& menu);
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
    void mnuOtherCmd_Click(int index);
    void LoadShortcut();
    void SaveShortcut();

    // The drag, key and menu pages and the item buttons (item_pages.cpp).
    void WireItemPages();
    // The labels and lists from the working copy, the figure, the first
    // selections and direction 1's command as the current item.
    void FillItemPages();
    void BuildDragRegion();
    // The arrow at offset (dx, dy) from the figure's centre; 0 for none.
    std::int32_t HitTestDirection(std::int32_t dx, std::int32_t dy) const;
    // Direction 0 draws the whole figure raised.
    void DrawDirection(std::int32_t direction, bool pressed);
    void SelectDirection(std::int32_t direction);
    void LoadDirectionItem();
    // The page's item becomes current and is shown.
    void ShowPageItem();
    // Shows CurrentItem's new caption in its label or list line.
    void RefreshItemCaption();
    void UpdateItemButtons();
    // A direction's name beside its arrow, sized to its text.
    static ControlDesign NameLabelDesign(int direction);
    void SetNameLabel(std::int32_t direction, const std::wstring& caption);
    void picDrag_MouseDown(int x, int y);
    void picDrag_MouseUp(int x, int y);
    void picDrag_KeyDown(int keyCode);
    void lblName_Click(std::int32_t direction);
    void lstAccessKey_Click();
    void lstMenuItem_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdCopy_Click();
    void cmdLeftUp_Click();
    void cmdRightDown_Click();
    void MoveItem(bool toUp);

    SettingsHost& Host;
    HWND OwnerWnd;

    // The working copy every control edits.
    cSettings WorkSettings;

    // Dialog state the pages share.
    std::uint8_t CurrentPage = 0;
    std::int32_t SelectedDirection = 1;
    std::int32_t PressedDirection = 0;
    std::shared_ptr<ShellCommand> CurrentItem;
    bool Filling = false;
    // The hit region of the drag figure, and the image its box repaints from.
    UniqueGdiObject<HRGN> DragRegion;
    DragPicture DragImage;

    // Controls, in the order they are created; the constructor sets where
    // the tab order differs.

    // The tab strip: the dialog paints the tabs itself.
    ControlArray picTab;
    ControlArray imgTab;
    ControlArray lblTab;
    // The pages; only the selected one is visible.
    ControlArray fraTab;

    // Page 0, the drag directions.
    Control fraDrag;
    Control picDrag;
    ControlArray lblName;
    // Page 1, the keys; page 2, the menu entries.
    Control lstAccessKey;
    Control lstMenuItem;

    // Page 3, the general options.
    Control fraHotKey;
    Control lblHotKey;
    Control picHotKey;
    Control HotKeyWnd;  // the hot-key control
    Control lblHotKeyNote;
    Control fraIcon;
    ControlArray optIcon;
    Control txtIcon;
    Control cmdRefIcon;
    Control fraGeneral;
    Control chkAlwaysOnTop;
    Control chkPopupStatus;
    Control chkSwapButtons;
    Control chkActiveStyle;
    Control fraDblClick;
    ControlArray optDblClick;

    // The detail frame of pages 0 to 2: one command's fields.
    Control fraContents;
    Control lblTitle;
    ControlArray lblAccess;
    Control txtCommand;
    ControlArray cmdReference;
    Control txtWorkDir;
    Control txtCaption;
    Control cboWindowState;
    Control chkSetFocus;

    // The item buttons of pages 0 to 2.
    Control fraCommands;
    Control cmdAdd;
    Control cmdRemove;
    Control cmdCopy;
    Control cmdLeftUp;
    Control cmdRightDown;
    Control cmdOther;

    Control cmdOk;
    Control cmdCancel;
    Control cmdApply;

    // The browse menu of cmdReference(0) and the menu of cmdOther, whose
    // test run and save entries act on the current command.
    static constexpr int kTestRunEntry = 0;
    static constexpr int kLoadShortcutEntry = 2;
    static constexpr int kSaveShortcutEntry = 3;
    PopupMenu mnuReference;
    PopupMenu mnuOther;
    // Files dropped from the shell onto txtCommand and txtWorkDir.
    std::unique_ptr<FileDropTarget> commandDrop_;
    std::unique_ptr<FileDropTarget> workDirDrop_;
};
