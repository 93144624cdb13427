#include "dialogs/list_page.h"

#include "base/interface_text.h"
#include "base/system.h"
#include "commands/shell_commands.h"
#include "dialogs/command_fields.h"
#include "forms/form.h"

namespace {


}  // namespace

ListPage::ListPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& commands)
    : SettingsPage(frame, page), commands_(commands), fields_(tools.fields), buttons_(tools.buttons)
{
}

void ListPage::Shown()
{
    buttons_.Label(MoveButtonLabels());
    Open();
}

void ListPage::Open()
{
    fields_.Serve(*this, FullCommand());
    buttons_.Serve(*this);
    ShowSelectedItem();
}

std::shared_ptr<ShellCommand> ListPage::SelectedCommand() const
{
    const std::int32_t slot = SelectedSlot();
    return slot < 0 ? nullptr : commands_.Item(slot);
}

void ListPage::ShowSelectedItem()
{
    fields_.Show(SelectedCommand(), ItemTitle());
    UpdateItemButtons();
}

void ListPage::UpdateItemButtons()
{
    const std::shared_ptr<ShellCommand> item = SelectedCommand();
    const bool filled = item && !item->IsEmpty();
    buttons_.Enable(ButtonStates(filled), filled);
}

ItemButtonStates ListPage::ButtonStates(bool filled) const
{
    return {false, filled, filled, filled, filled};
}

UINT ListPage::NoRoomToMove(bool toUp) const { return toUp ? IDS_NO_ROOM_ABOVE : IDS_NO_ROOM_BELOW; }

// The label or list line follows each keystroke.
void ListPage::CaptionEdited()
{
    UpdateItemButtons();
    ShowSlotCaption(SelectedSlot());
}

void ListPage::CommandEdited() { UpdateItemButtons(); }

// The slot stays; its command becomes empty.
void ListPage::RemoveItem()
{
    const std::shared_ptr<ShellCommand> item = SelectedCommand();
    if (!item)
        return;
    item->Clear();
    ShowSlotCaption(SelectedSlot());
    ShowSelectedItem();
}

// The copy is selected, and its label or line shows its caption.
void ListPage::CopyItem()
{
    const std::int32_t slot = SelectedSlot();
    if (slot < 0)
        return;
    const std::int32_t copy = commands_.Copy(slot);
    if (copy == -1) {
        MsgBox(UiText(IDS_NO_ROOM_TO_COPY), MB_OK | MB_ICONERROR, frame_.Dialog().hWnd());
        return;
    }
    SlotInserted(copy);
    SelectSlot(copy);
    ShowSlotCaption(copy);
}

// The old place shows what it holds now, and the moved command stays
// selected at its new place.
void ListPage::MoveItem(bool toUp)
{
    const std::int32_t slot = SelectedSlot();
    if (slot < 0 || !CanMove(slot, toUp))
        return;
    const std::int32_t to = commands_.Move(slot, toUp);
    if (to == -1) {
        MsgBox(UiText(NoRoomToMove(toUp)), MB_OK | MB_ICONERROR, frame_.Dialog().hWnd());
        return;
    }
    ShowSlotCaption(slot);
    SelectSlot(to);
    ShowSlotCaption(to);
    // Only a move left or up enables Apply; one right or down leaves it as it was.
    if (toUp)
        frame_.EnableApply();
}

void ListPage::TestRunItem(int x, int y)
{
    if (const std::shared_ptr<ShellCommand> item = SelectedCommand())
        item->Execute(frame_.Dialog().hWnd(), x, y);
}

void ListPage::LoadShortcut(const std::wstring& file)
{
    const bool added = AddForShortcut();
    const std::shared_ptr<ShellCommand> item = SelectedCommand();
    if (!item || !item->Load(file)) {
        if (added)
            RemoveItem();
        MsgBox(UiText(IDS_SHORTCUT_INVALID), MB_OK | MB_ICONEXCLAMATION, frame_.Dialog().hWnd());
        return;
    }
    ShowSlotCaption(SelectedSlot());
    ShowSelectedItem();
}

bool ListPage::SaveShortcut(const std::wstring& file)
{
    const std::shared_ptr<ShellCommand> item = SelectedCommand();
    return item && item->Save(file);
}

void ListPage::MarkLine(Control& list, int line)
{
    SendMessageW(list.hWnd(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void ListPage::ReplaceLine(Control& list, int line, const std::wstring& text)
{
    list.RemoveItem(line);
    list.AddItem(text, line);
    MarkLine(list, line);
    list.Refresh();
}
