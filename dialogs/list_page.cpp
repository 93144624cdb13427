#include "dialogs/list_page.h"

#include "base/system.h"
#include "commands/shell_commands.h"
#include "dialogs/command_fields.h"
#include "dialogs/item_buttons.h"
#include "dialogs/settings_dialog.h"

namespace {

constexpr wchar_t kNoRoomToCopy[] = L"コピーする空きがありません。";
constexpr wchar_t kNoRoomAbove[] = L"移動できません。これより上に空きがありません。";
constexpr wchar_t kNoRoomBelow[] = L"移動できません。これより下に空きがありません。";

}  // namespace

void ListPage::Shown()
{
    dialog_.Buttons().Label(MoveButtonLabels());
    Open();
}

void ListPage::Open()
{
    dialog_.Fields().Serve(*this);
    dialog_.Buttons().Serve(*this);
    ShowPageItem();
}

void ListPage::RefreshItemCaption()
{
    if (dialog_.CurrentItem)
        ShowItemCaption(*dialog_.CurrentItem);
}

void ListPage::UpdateItemButtons()
{
    const bool filled = dialog_.CurrentItem && !dialog_.CurrentItem->IsEmpty();
    dialog_.Buttons().Enable(ButtonStates(filled), filled);
}

ItemButtonStates ListPage::ButtonStates(bool filled) const
{
    return {false, filled, filled, filled, filled};
}

const wchar_t* ListPage::NoRoomToMove(bool toUp) const { return toUp ? kNoRoomAbove : kNoRoomBelow; }

// The slot stays; its command becomes empty.
void ListPage::cmdRemove_Click()
{
    if (!dialog_.CurrentItem)
        return;
    dialog_.CurrentItem->Clear();
    RefreshItemCaption();
    dialog_.Fields().ShowCurrentItem();
}

// The copy is selected, and its label or line shows its caption.
void ListPage::cmdCopy_Click()
{
    const std::int32_t slot = SelectedSlot();
    if (slot < 0)
        return;
    const std::int32_t copy = Commands().Copy(slot);
    if (copy == -1) {
        MsgBox(kNoRoomToCopy, MB_OK | MB_ICONERROR, dialog_.hWnd());
        return;
    }
    SlotInserted(copy);
    SelectSlot(copy);
    RefreshItemCaption();
}

// The old place shows what it holds now, and the moved command stays
// current at its new place.
void ListPage::MoveItem(bool toUp)
{
    const std::int32_t slot = SelectedSlot();
    if (slot < 0 || !CanMove(slot, toUp))
        return;
    ShellCommands& commands = Commands();
    const std::int32_t to = commands.Move(slot, toUp);
    if (to == -1) {
        MsgBox(NoRoomToMove(toUp), MB_OK | MB_ICONERROR, dialog_.hWnd());
        return;
    }
    dialog_.CurrentItem = commands.Item(slot);
    RefreshItemCaption();
    SelectSlot(to);
    RefreshItemCaption();
    // Only a move left or up enables Apply; one right or down leaves it as it was.
    if (toUp)
        dialog_.EnableApply();
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

void ListPage::LoadShortcut(const std::wstring& file)
{
    const bool added = AddForShortcut();
    if (!dialog_.CurrentItem || !dialog_.CurrentItem->Load(file)) {
        if (added)
            cmdRemove_Click();
        MsgBox(L"ショートカットファイルが無効です。", MB_OK | MB_ICONEXCLAMATION, dialog_.hWnd());
        return;
    }
    RefreshItemCaption();
    dialog_.Fields().ShowCurrentItem();
}
