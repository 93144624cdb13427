#include "dialogs/key_page.h"

#include "base/interface_text.h"
#include "base/slot_names.h"
#include "commands/command_kind.h"
#include "dialogs/command_fields.h"
#include "dialogs/settings_dialog.h"

namespace {

// The list lines its captions up at this many dialog template units.
constexpr int kKeyTabStop = 20;

std::wstring KeyLine(std::int32_t key, const ShellCommand& command)
{
    return SlotDisplayName(kKeyList, key) + L"\t" + command.DisplayCaption();
}

}  // namespace

KeyPage::KeyPage(cDlgSettings& dialog, Control& page)
    : ListPage(dialog, page),
      lstAccessKey(dialog, L"lstAccessKey",
                   ControlDesign(ControlKind::ListBox, 8, 18, 369, 160, {},
                                 L"各キーに割り当てられたタスクの名前一覧が表示されます")
                       .Style(LBS_USETABSTOPS),
                   &page)
{
    // The list has no label of its own.
    lstAccessKey.SetAccessibleName(UiText(IDS_KEY_LIST_NAME));
    lstAccessKey.OnClick = [this] { lstAccessKey_Click(); };
}

void KeyPage::Fill()
{
    const ShellCommands& keys = Commands();
    for (std::int32_t i = 0; i < keys.Count(); ++i)
        lstAccessKey.AddItem(KeyLine(i, *keys.Item(i)));
    int tabStop = kKeyTabStop;
    SendMessageW(lstAccessKey.hWnd(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    MarkLine(lstAccessKey, 0);
}

ShellCommands& KeyPage::Commands() { return dialog_.WorkSettings.Keys(); }

// The list's line is the slot's index.
std::wstring KeyPage::ItemTitle() const
{
    const ShellCommands& keys = dialog_.WorkSettings.Keys();
    std::int32_t slot = 0;
    while (slot < keys.Count() && keys.Item(slot) != dialog_.CurrentItem)
        ++slot;
    return slot < keys.Count() ? L"キー: " + SlotDisplayName(kKeyList, slot) : L"キー: ";
}

void KeyPage::ShowItemCaption(const ShellCommand& item)
{
    if (const int line = lstAccessKey.ListIndex(); line >= 0)
        ReplaceLine(lstAccessKey, line, KeyLine(line, item));
}

MoveLabels KeyPage::MoveButtonLabels() const
{
    return {L"上に移動(&M)", L"下に移動(&N)", L"現在の項目を上の空いている位置に移動します",
            L"現在の項目を下の空いている位置に移動します"};
}

void KeyPage::lstAccessKey_Click()
{
    const int line = lstAccessKey.ListIndex();
    if (line < 0)
        return;
    dialog_.CurrentItem = Commands().Item(line);
    dialog_.Fields().ShowCurrentItem();
}
