#pragma once
// The key page of the settings dialog: one line for each of the 36 keys,
// whose selected line's command the detail fields show.

#include "dialogs/list_page.h"

class KeyPage : public ListPage {
public:
    KeyPage(cDlgSettings& dialog, Control& page);

    std::wstring ItemTitle() const override;

protected:
    void Fill() override;
    ShellCommands& Commands() override;
    std::int32_t SelectedSlot() const override { return lstAccessKey.ListIndex(); }
    void SelectSlot(std::int32_t slot) override { lstAccessKey.SetListIndex(slot); }
    void ShowPageItem() override { lstAccessKey_Click(); }
    void ShowItemCaption(const ShellCommand& item) override;
    MoveLabels MoveButtonLabels() const override;

private:
    void lstAccessKey_Click();

    Control lstAccessKey;
};
