#include "dialogs/menu_page.h"

#include "base/interface_text.h"
#include "commands/shell_commands.h"
#include "dialogs/command_fields.h"

MenuPage::MenuPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& menus)
    : ListPage(frame, page, tools, menus),
      lstMenuItem(frame.Dialog(), L"lstMenuItem",
                  ControlDesign(ControlKind::ListBox, 8, 18, 369, 160, {},
                                UiText(IDS_MENU_LIST_TIP))
                      .WholeRows(),
                  &page)
{
    // The list has no label of its own.
    lstMenuItem.SetAccessibleName(UiText(IDS_MENU_LIST_NAME));
    // With no line selected the fields are empty.
    lstMenuItem.OnClick = [this] { ShowSelectedItem(); };
}

void MenuPage::Fill()
{
    for (std::int32_t i = 0; i < commands_.Count(); ++i)
        lstMenuItem.AddItem(commands_.Item(i)->DisplayCaption());
    if (lstMenuItem.ListCount() > 0)
        MarkLine(lstMenuItem, 0);
}

void MenuPage::Refill()
{
    lstMenuItem.ClearItems();
    Fill();
}

void MenuPage::ShowSlotCaption(std::int32_t slot)
{
    if (slot >= 0)
        ReplaceLine(lstMenuItem, slot, commands_.Item(slot)->DisplayCaption());
}

MoveLabels MenuPage::MoveButtonLabels() const
{
    return {UiText(IDS_MOVE_UP), UiText(IDS_MOVE_DOWN), UiText(IDS_MOVE_UP_TIP),
            UiText(IDS_MOVE_DOWN_TIP)};
}

ItemButtonStates MenuPage::ButtonStates(bool) const
{
    return MenuButtonStates(lstMenuItem.ListIndex(), lstMenuItem.ListCount());
}

bool MenuPage::CanMove(std::int32_t slot, bool toUp) const
{
    return toUp ? slot > 0 : slot < commands_.Count() - 1;
}

void MenuPage::SlotInserted(std::int32_t slot)
{
    lstMenuItem.AddItem(commands_.Item(slot)->DisplayCaption(), slot);
}

void MenuPage::AddItem()
{
    const int at = lstMenuItem.ListIndex() + 1;
    commands_.Add(at);
    SlotInserted(at);
    lstMenuItem.SetListIndex(at);
    fields_.EnableItemFields(true);
    frame_.EnableApply();
}

void MenuPage::RemoveItem()
{
    const int line = lstMenuItem.ListIndex();
    if (line < 0)
        return;
    const int next = LineAfterRemoval(line, lstMenuItem.ListCount());
    commands_.Remove(line);
    lstMenuItem.RemoveItem(line);
    // With nothing left to select the list's click empties the fields.
    lstMenuItem.SetListIndex(next);
}

// A loaded shortcut becomes a new entry below the selection.
bool MenuPage::AddForShortcut()
{
    AddItem();
    return true;
}
