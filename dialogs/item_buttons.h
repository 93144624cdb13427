#pragma once
// The item buttons beside the detail fields of the drag, key and menu pages:
// Add, Remove, Copy, the two moves, and Other with its menu (a test run,
// and loading or saving the current command as a shortcut file). They act
// on the list of the page they serve.

#include <string>

#include "forms/control.h"
#include "forms/popup_menu.h"

class cDlgSettings;
class ListPage;

// The captions and tool-tips of the two move buttons.
struct MoveLabels {
    const wchar_t* leftUp;
    const wchar_t* rightDown;
    const wchar_t* leftUpTip;
    const wchar_t* rightDownTip;
};

// Which item buttons can be pressed.
struct ItemButtonStates {
    bool add;
    bool remove;
    bool copy;
    bool leftUp;
    bool rightDown;
};

class ItemButtons {
public:
    explicit ItemButtons(cDlgSettings& dialog);
    ItemButtons(const ItemButtons&) = delete;
    ItemButtons& operator=(const ItemButtons&) = delete;

    // The buttons lie over the pages.
    void Load();
    // From now on the buttons are shown and act on this page's list; the
    // dialog serves its first page as it loads.
    void Serve(ListPage& page);
    // The general page has no list.
    void Hide();
    void Label(const MoveLabels& labels);
    // filled: the current item holds a command, which can be run and saved.
    void Enable(const ItemButtonStates& states, bool filled);

private:
    void mnuOtherCmd_Click(int index);
    void LoadShortcut();
    void SaveShortcut();

    cDlgSettings& dialog_;
    ListPage* page_ = nullptr;

    Control fraCommands;
    Control cmdAdd;
    Control cmdRemove;
    Control cmdCopy;
    Control cmdLeftUp;
    Control cmdRightDown;
    Control cmdOther;

    // The entries of cmdOther's menu that act on the current command.
    static constexpr int kTestRunEntry = 0;
    static constexpr int kLoadShortcutEntry = 2;
    static constexpr int kSaveShortcutEntry = 3;
    PopupMenu mnuOther;
};
