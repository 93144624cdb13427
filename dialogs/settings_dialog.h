#pragma once
// cDlgSettings, the settings dialog. It edits a working copy of the settings,
// loaded from the registry when it opens; OK and Apply save that copy and
// make the program's live settings reload it.
//
// The dialog is a frame and its pages. The frame (settings_dialog.cpp) holds
// the tabs, OK, Cancel and Apply and the working copy, and hands each page
// only what it edits and what the frame does for it (settings_frame.h). Each
// page is an object of its own with its controls and handlers: the drag
// page, the key page, the menu page (a list page each, list_page.cpp, which
// owns its selection) and the general page. The drag, key and menu pages
// share the detail fields (command_fields.cpp) and the item buttons
// (item_buttons.cpp), which talk back to the page they serve through
// field_edits.h and list_actions.h.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "dialogs/command_fields.h"
#include "dialogs/drag_page.h"
#include "dialogs/general_page.h"
#include "dialogs/item_buttons.h"
#include "dialogs/key_page.h"
#include "dialogs/menu_page.h"
#include "dialogs/settings_frame.h"
#include "dialogs/settings_host.h"
#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/popup_menu.h"
#include "objlib/file_dialog.h"
#include "settings/settings.h"

class cDlgSettings : public Form, private SettingsFrame {
public:
    // Opens the dialog for its host (the pad) and returns once it has closed.
    // Meanwhile the host has no hot key and is not topmost; both come back
    // from the host's settings afterwards.
    static void ShowSettings(SettingsHost& host);
    // Closes the open dialog as Cancel does, its unapplied edits dropped; for
    // a host that has to end. Nothing when none is open.
    static void CancelOpenDialog();

    static constexpr int kPageCount = 4;

private:
    explicit cDlgSettings(SettingsHost& host);

    // Switches to page 0 (drag), 1 (key), 2 (menu) or 3 (general) once the
    // focused control has accepted its value.
    void SelectPage(int index);
    // Saves the working copy and has the host take it up; false when the
    // user kept a settings file that cannot be read, and nothing was saved.
    bool ApplySettings();
    // The key and menu lists into the working copy, once; before anything
    // shows, saves or exports them.
    void ReadOtherLists();

    // What the frame does for its pages.
    Form& Dialog() override { return *this; }
    void EnableApply() override;
    void PopupMenuBeside(Control& button, PopupMenu& menu) override;
    FileDialog BrowseFileDialog() override;
    FileDialog BrowseFolderDialog() override;
    void OrderTabs(std::initializer_list<Control*> sequence) override { SetTabOrder(sequence); }
    void StorePages() override;
    void SettingsReplaced() override;
    bool MayReplaceUnreadable(const std::wstring& problem) override;

    void Form_Load() override;
    void Form_AfterFirstPaint() override;
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
    // The working copy every page edits.
    cSettings WorkSettings;
    bool otherListsRead_ = false;

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

    // A tab as screen readers see it: a page tab named by its caption, the
    // current one selected.
    class TabAccount final : public AccessibleView {
    public:
        TabAccount(const cDlgSettings& dialog, int index) : dialog_(dialog), index_(index) {}
        AccessiblePart Whole() const override;

    private:
        const cDlgSettings& dialog_;
        int index_;
    };
    const std::array<TabAccount, kPageCount> tabAccounts_;
};
