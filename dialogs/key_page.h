#pragma once
// The key page of the settings dialog: one line for each of the 36 keys,
// whose selected line's command the detail fields show.

#include "dialogs/list_page.h"

class KeyPage : public ListPage {
public:
    KeyPage(SettingsFrame& frame, Control& page, CommandTools tools, ShellCommands& keys);

protected:
    void Fill() override;
    void Refill() override;
    std::int32_t SelectedSlot() const override { return lstAccessKey.ListIndex(); }
    void SelectSlot(std::int32_t slot) override { lstAccessKey.SetListIndex(slot); }
    std::wstring ItemTitle() const override;
    void ShowSlotCaption(std::int32_t slot) override;
    MoveLabels MoveButtonLabels() const override;

private:
    void lstAccessKey_Click();

    Control lstAccessKey;
};
