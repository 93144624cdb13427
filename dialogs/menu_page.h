#pragma once
// The menu page of the settings dialog: the entries of the command menu in
// their order, which grows and shrinks; the detail fields show the selected
// entry's command, or nothing when none is selected.

#include "base/interface_text.h"
#include "dialogs/list_page.h"

class MenuPage : public ListPage {
public:
    MenuPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& menus);

protected:
    void Fill() override;
    void Refill() override;
    std::int32_t SelectedSlot() const override { return lstMenuItem.ListIndex(); }
    void SelectSlot(std::int32_t slot) override { lstMenuItem.SetListIndex(slot); }
    std::wstring ItemTitle() const override { return UiText(IDS_MENU_ITEM_TITLE); }
    // A menu entry has no working folder, window state or focus flag.
    bool FullCommand() const override { return false; }
    void ShowSlotCaption(std::int32_t slot) override;
    void SlotInserted(std::int32_t slot) override;
    bool CanMove(std::int32_t slot, bool toUp) const override;
    MoveLabels MoveButtonLabels() const override;
    ItemButtonStates ButtonStates(bool filled) const override;
    bool AddForShortcut() override;
    // A new empty entry below the selected one (at the top when none is).
    void AddItem() override;
    void RemoveItem() override;

private:

    Control lstMenuItem;
};
