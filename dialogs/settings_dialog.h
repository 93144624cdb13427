#pragma once
// cDlgSettings, the settings dialog. It edits a working copy of the settings,
// loaded from the registry when it opens; OK and Apply save that copy and
// make the program's live settings reload it.
//
// The dialog is a frame and its pages. The frame (settings_dialog.cpp) holds
// the tabs, OK, Cancel and Apply, the working copy and the current item; each
// page is an object of its own with its controls and handlers: the drag page,
// the key page, the menu page (a list page each, list_page.cpp) and the
// general page. The drag, key and menu pages share the detail fields
// (command_fields.cpp) and the item buttons (item_buttons.cpp).

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "commands/shell_command.h"
#include "dialogs/command_fields.h"
#include "dialogs/drag_page.h"
#include "dialogs/general_page.h"
#include "dialogs/item_buttons.h"
#include "dialogs/key_page.h"
#include "dialogs/menu_page.h"
#include "dialogs/settings_host.h"
#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/popup_menu.h"
#include "objlib/file_dialog.h"
#include "settings/settings.h"

class cDlgSettings : public Form {
public:
    // Opens the dialog for its host (the pad) and returns once it has closed.
    // Meanwhile the host has no hot key and is not topmost; both come back
    // from the host's settings afterwards.
    static void ShowSettings(SettingsHost& host);

    // Switches to page 0 (drag), 1 (key), 2 (menu) or 3 (general) once the
    // focused control has accepted its value.
    void SelectPage(int index);
    // Saves the working copy and has the host take it up.
    void ApplySettings();
    // Something was edited that OK or Apply would save.
    void EnableApply();

    // What the frame gives its pages.
    CommandFields& Fields() { return fields_; }
    ItemButtons& Buttons() { return buttons_; }
    // Pops the menu up beside the button's upper-right corner.
    void PopupMenuBeside(Control& button, PopupMenu& menu);
    // File and folder dialogs of this dialog, titled and sized alike every time.
    FileDialog BrowseFileDialog();
    FileDialog BrowseFolderDialog();
    // Each part of the dialog orders its own controls.
    using Form::SetTabOrder;

    static constexpr int kPageCount = 4;

    // The state the pages share: the working copy every control edits, and
    // the command the detail fields show and edit.
    cSettings WorkSettings;
    std::shared_ptr<ShellCommand> CurrentItem;

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

    SettingsHost& Host;
    HWND OwnerWnd;
    // The hot key the host held when the dialog opened.
    std::int32_t padHotKey_ = 0;
    std::uint8_t CurrentPage = 0;

    // Controls, in the order they are created; the constructors set where
    // the tab order differs.

    // The tab strip: the dialog paints the tabs itself.
    ControlArray picTab;
    ControlArray imgTab;
    ControlArray lblTab;
    // The pages' frames; only the selected one is visible.
    ControlArray fraTab;

    DragPage dragPage_;
    KeyPage keyPage_;
    MenuPage menuPage_;
    GeneralPage generalPage_;
    // Beside the drag, key and menu pages.
    CommandFields fields_;
    ItemButtons buttons_;

    Control cmdOk;
    Control cmdCancel;
    Control cmdApply;

    // The pages by their index.
    const std::array<SettingsPage*, kPageCount> pages_;
};
