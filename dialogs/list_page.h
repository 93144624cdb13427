#pragma once
// The drag, key and menu pages each edit one list of commands of the working
// copy and own its selection: the detail fields show the selected command
// and report edits back (FieldEdits), and the item buttons act on the list
// (ListActions). Add, Remove, Copy and the moves are written here once; each
// page says how its list selects and shows a slot.

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/field_edits.h"
#include "dialogs/item_buttons.h"
#include "dialogs/list_actions.h"
#include "dialogs/settings_page.h"

class ShellCommand;
class ShellCommands;

class ListPage : public SettingsPage, private FieldEdits, private ListActions {
public:
    // The detail fields and the item buttons serve this page now, the move
    // buttons say what they do here, and the selected command is shown.
    void Shown() override;
    // As Shown for the page the dialog opens on, except that the move
    // buttons keep their designed captions until a page is chosen.
    void Open();

protected:
    ListPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& commands);
    ~ListPage() = default;

    // The selected slot (a direction, a line), or -1 for none.
    virtual std::int32_t SelectedSlot() const = 0;
    // Selects a slot, which shows its command.
    virtual void SelectSlot(std::int32_t slot) = 0;
    // The title above the detail fields for the selected slot.
    virtual std::wstring ItemTitle() const = 0;
    // Whether the commands of this list have a working folder, a window
    // state and a focus flag to show: drag and key commands do.
    virtual bool FullCommand() const { return true; }
    // The caption of the command in the slot, in its label or list line.
    virtual void ShowSlotCaption(std::int32_t slot) = 0;
    // A command has been inserted at slot (the menu's copies).
    virtual void SlotInserted(std::int32_t /*slot*/) {}
    // Whether the command in slot may move that way at all.
    virtual bool CanMove(std::int32_t /*slot*/, bool /*toUp*/) const { return true; }
    // What is said when no free slot lies that way.
    virtual UINT NoRoomToMove(bool toUp) const;
    virtual MoveLabels MoveButtonLabels() const = 0;
    // filled: the selected slot holds a command. Fixed slots: all but Add
    // while it does.
    virtual ItemButtonStates ButtonStates(bool filled) const;
    // On the menu page a loaded shortcut becomes a new entry: adds it, true.
    virtual bool AddForShortcut() { return false; }

    // The command in the selected slot, or null when none is selected.
    std::shared_ptr<ShellCommand> SelectedCommand() const;
    // The selected command into the detail fields, and the item buttons
    // enabled for it.
    void ShowSelectedItem();

    // Only the menu grows: the drag directions and the keys have fixed
    // slots, and Remove empties one.
    void AddItem() override {}
    void RemoveItem() override;

    // For the pages that show a list box. Selects a line without running the
    // list's click, while it is filled.
    static void MarkLine(Control& list, int line);
    // The line takes a new text and stays selected; the selection is the
    // same, so the list's click is not run again.
    static void ReplaceLine(Control& list, int line, const std::wstring& text);

    ShellCommands& commands_;
    CommandFields& fields_;

private:
    void UpdateItemButtons();

    void CaptionEdited() override;
    void CommandEdited() override;

    void CopyItem() override;
    // The command goes to the nearest free slot counter-clockwise or above
    // (toUp), else clockwise or below; a menu entry changes places with its
    // neighbour.
    void MoveItem(bool toUp) override;
    void TestRunItem(int x, int y) override;
    void LoadShortcut(const std::wstring& file) override;
    bool SaveShortcut(const std::wstring& file) override;

    ItemButtons& buttons_;
};
