#pragma once
// The drag, key and menu pages each edit one list of commands of the working
// copy: the detail fields show the page's current command, and the item
// buttons act on the page's list. Add, Remove, Copy and the moves are
// written here once; each page says how its list selects and shows a slot.

#include <cstdint>
#include <string>

#include "dialogs/item_buttons.h"
#include "dialogs/settings_page.h"

class ShellCommand;
class ShellCommands;

class ListPage : public SettingsPage {
public:
    // The detail fields and the item buttons serve this page now, the move
    // buttons say what they do here, and the page's item becomes current.
    void Shown() override;
    // As Shown for the page the dialog opens on, except that the move
    // buttons keep their designed captions until a page is chosen.
    void Open();

    // The item buttons. Only the menu grows: the drag directions and the
    // keys have fixed slots, and Remove empties one.
    virtual void cmdAdd_Click() {}
    virtual void cmdRemove_Click();
    void cmdCopy_Click();
    void cmdLeftUp_Click() { MoveItem(true); }
    void cmdRightDown_Click() { MoveItem(false); }
    // A shortcut file into the current command, or says that it is none.
    void LoadShortcut(const std::wstring& file);

    // The title above the detail fields for the current item.
    virtual std::wstring ItemTitle() const = 0;
    // Whether the commands of this list have a working folder, a window
    // state and a focus flag to show: drag and key commands do.
    virtual bool FullCommand() const { return true; }
    // Shows CurrentItem's new caption in its label or list line.
    void RefreshItemCaption();
    // Enables the item buttons and the menu entries for the current item.
    void UpdateItemButtons();

protected:
    using SettingsPage::SettingsPage;
    ~ListPage() = default;

    // The page's list in the working copy.
    virtual ShellCommands& Commands() = 0;
    // The selected slot (a direction, a line), or -1 for none.
    virtual std::int32_t SelectedSlot() const = 0;
    // Selects a slot, which makes its command current and shows it.
    virtual void SelectSlot(std::int32_t slot) = 0;
    // The selected slot's command becomes current and is shown.
    virtual void ShowPageItem() = 0;
    // The caption of the command in the selected slot, as the page shows it.
    virtual void ShowItemCaption(const ShellCommand& item) = 0;
    // A command has been inserted at slot (the menu's copies).
    virtual void SlotInserted(std::int32_t /*slot*/) {}
    // Whether the command in slot may move that way at all.
    virtual bool CanMove(std::int32_t /*slot*/, bool /*toUp*/) const { return true; }
    // What is said when no free slot lies that way.
    virtual const wchar_t* NoRoomToMove(bool toUp) const;
    virtual MoveLabels MoveButtonLabels() const = 0;
    // filled: the current item holds a command. Fixed slots: all but Add
    // while it does.
    virtual ItemButtonStates ButtonStates(bool filled) const;
    // On the menu page a loaded shortcut becomes a new entry: adds it, true.
    virtual bool AddForShortcut() { return false; }

    // For the pages that show a list box. Selects a line without running the
    // list's click, while it is filled.
    static void MarkLine(Control& list, int line);
    // The line takes a new text and stays selected; the current item is the
    // same command, so the list's click is not run again.
    static void ReplaceLine(Control& list, int line, const std::wstring& text);

private:
    // The command goes to the nearest free slot counter-clockwise or above
    // (toUp), else clockwise or below; a menu entry changes places with its
    // neighbour.
    void MoveItem(bool toUp);
};
