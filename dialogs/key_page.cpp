#include "dialogs/key_page.h"

#include "base/interface_text.h"
#include "base/slot_names.h"
#include "commands/shell_commands.h"

namespace {

// The list lines its captions up at this many dialog template units.
constexpr int kKeyTabStop = 20;

std::wstring KeyLine(std::int32_t key, const ShellCommand& command)
{
    return SlotDisplayName(CommandListKind::Keys, key) + L"\t" + command.DisplayCaption();
}

}  // namespace

KeyPage::KeyPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& keys)
    : ListPage(frame, page, tools, keys),
      lstAccessKey(frame.Dialog(), L"lstAccessKey",
                   ControlDesign(ControlKind::ListBox, 8, 18, 369, 160, {},
                                 UiText(IDS_KEY_LIST_TIP))
                       .Style(LBS_USETABSTOPS)
                       .WholeRows(),
                   &page)
{
    // The list has no label of its own.
    lstAccessKey.SetAccessibleName(UiText(IDS_KEY_LIST_NAME));
    lstAccessKey.OnClick = [this] { lstAccessKey_Click(); };
}

void KeyPage::Fill()
{
    for (std::int32_t i = 0; i < commands_.Count(); ++i)
        lstAccessKey.AddItem(KeyLine(i, *commands_.Item(i)));
    int tabStop = kKeyTabStop;
    SendMessageW(lstAccessKey.hWnd(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    MarkLine(lstAccessKey, 0);
}

void KeyPage::Refill()
{
    lstAccessKey.ClearItems();
    Fill();
}

// The list's line is the slot's index.
std::wstring KeyPage::ItemTitle() const
{
    const std::int32_t slot = SelectedSlot();
    return UiText(IDS_KEY_ITEM_TITLE,
                  {slot < 0 ? std::wstring() : SlotDisplayName(CommandListKind::Keys, slot)});
}

void KeyPage::ShowSlotCaption(std::int32_t slot)
{
    if (slot >= 0)
        ReplaceLine(lstAccessKey, slot, KeyLine(slot, *commands_.Item(slot)));
}

MoveLabels KeyPage::MoveButtonLabels() const
{
    return {UiText(IDS_MOVE_UP), UiText(IDS_MOVE_DOWN), UiText(IDS_MOVE_UP_FREE_TIP),
            UiText(IDS_MOVE_DOWN_FREE_TIP)};
}

void KeyPage::lstAccessKey_Click()
{
    if (SelectedSlot() >= 0)
        ShowSelectedItem();
}
