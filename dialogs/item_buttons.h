#pragma once
// The item buttons beside the detail fields of the drag, key and menu pages:
// Add, Remove, Copy, the two moves, and Other with its menu (a test run,
// and loading or saving the selected command as a shortcut file). They act
// on the list of the page they serve, through its ListActions.

#include <string>

#include "dialogs/list_rules.h"
#include "forms/control.h"
#include "forms/popup_menu.h"

class ListActions;
class SettingsFrame;

// The captions and tool-tips of the two move buttons.
struct MoveLabels {
    std::wstring leftUp;
    std::wstring rightDown;
    std::wstring leftUpTip;
    std::wstring rightDownTip;
};

class ItemButtons {
public:
    explicit ItemButtons(SettingsFrame& frame);
    ItemButtons(const ItemButtons&) = delete;
    ItemButtons& operator=(const ItemButtons&) = delete;

    // The buttons lie over the pages.
    void Load();
    // From now on the buttons are shown and act on this page's list; the
    // dialog serves its first page as it loads.
    void Serve(ListActions& list);
    // The general page has no list.
    void Hide();
    void Label(const MoveLabels& labels);
    // filled: the selected slot holds a command, which can be run and saved.
    void Enable(const ItemButtonStates& states, bool filled);

private:
    void mnuOtherCmd_Click(int index);
    void LoadShortcut();
    void SaveShortcut();

    SettingsFrame& frame_;
    ListActions* list_ = nullptr;
    // Whether the selected command can be run and saved.
    bool filled_ = false;

    Control fraCommands;
    Control cmdAdd;
    Control cmdRemove;
    Control cmdCopy;
    Control cmdLeftUp;
    Control cmdRightDown;
    Control cmdOther;

    // The entries of cmdOther's menu that act on the selected command.
    static constexpr int kTestRunEntry = 0;
    static constexpr int kLoadShortcutEntry = 2;
    static constexpr int kSaveShortcutEntry = 3;
    PopupMenu mnuOther;
};
