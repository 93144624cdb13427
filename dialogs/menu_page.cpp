#include "dialogs/menu_page.h"

#include "base/interface_text.h"
#include "commands/shell_commands.h"
#include "dialogs/command_fields.h"
#include "dialogs/settings_dialog.h"

MenuPage::MenuPage(cDlgSettings& dialog, Control& page)
    : ListPage(dialog, page),
      lstMenuItem(dialog, L"lstMenuItem",
                  ControlDesign(ControlKind::ListBox, 8, 18, 369, 160, {},
                                L"メニューに割り当てられたタスクの名前一覧が表示されます"),
                  &page)
{
    // The list has no label of its own.
    lstMenuItem.SetAccessibleName(UiText(IDS_MENU_LIST_NAME));
    lstMenuItem.OnClick = [this] { lstMenuItem_Click(); };
}

void MenuPage::Fill()
{
    const ShellCommands& menus = Commands();
    for (std::int32_t i = 0; i < menus.Count(); ++i)
        lstMenuItem.AddItem(menus.Item(i)->DisplayCaption());
    if (lstMenuItem.ListCount() > 0)
        MarkLine(lstMenuItem, 0);
}

ShellCommands& MenuPage::Commands() { return dialog_.WorkSettings.Menus(); }

void MenuPage::lstMenuItem_Click()
{
    const int line = lstMenuItem.ListIndex();
    dialog_.CurrentItem = line < 0 ? nullptr : Commands().Item(line);
    dialog_.Fields().ShowCurrentItem();
}

void MenuPage::ShowItemCaption(const ShellCommand& item)
{
    if (const int line = lstMenuItem.ListIndex(); line >= 0)
        ReplaceLine(lstMenuItem, line, item.DisplayCaption());
}

MoveLabels MenuPage::MoveButtonLabels() const
{
    return {L"上に移動(&M)", L"下に移動(&N)", L"現在の項目を上に移動します",
            L"現在の項目を下に移動します"};
}

// Entries move one line at a time and never past the ends.
ItemButtonStates MenuPage::ButtonStates(bool) const
{
    const int line = lstMenuItem.ListIndex();
    const int count = lstMenuItem.ListCount();
    return {true, line >= 0, line >= 0, line > 0, line >= 0 && line < count - 1};
}

bool MenuPage::CanMove(std::int32_t slot, bool toUp) const
{
    return toUp ? slot > 0 : slot < dialog_.WorkSettings.Menus().Count() - 1;
}

void MenuPage::SlotInserted(std::int32_t slot)
{
    lstMenuItem.AddItem(Commands().Item(slot)->DisplayCaption(), slot);
}

void MenuPage::cmdAdd_Click()
{
    const int at = lstMenuItem.ListIndex() + 1;
    Commands().Add(at);
    SlotInserted(at);
    lstMenuItem.SetListIndex(at);
    dialog_.Fields().EnableItemFields(true);
    dialog_.EnableApply();
}

void MenuPage::cmdRemove_Click()
{
    const int line = lstMenuItem.ListIndex();
    const int count = lstMenuItem.ListCount();
    if (line < 0)
        return;
    const int next = count == 1 ? -1 : line == count - 1 ? line - 1 : line;
    Commands().Remove(line);
    lstMenuItem.RemoveItem(line);
    // With nothing left to select the list's click empties the fields.
    lstMenuItem.SetListIndex(next);
}

// A loaded shortcut becomes a new entry below the selection.
bool MenuPage::AddForShortcut()
{
    cmdAdd_Click();
    return true;
}
