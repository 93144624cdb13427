#include "commands/plain_command_menu.h"

#include "base/interface_text.h"
#include "base/win_handles.h"

namespace {

// Item ids: the built-in actions keep their numbers; entries follow.
constexpr UINT kFirstEntryId = 16;

}  // namespace

PlainMenuChoice PopupPlainCommandMenu(HWND pad, const CompiledMenu& menuTable,
                                      std::int32_t dblClickCommand, POINT at)
{
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return {};
    const std::vector<MenuEntryText>& entries = menuTable.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntryText& entry = entries[i];
        if (entry.caption == L"-") {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // An entry without a program stays in its place, as one that does nothing.
        const UINT flags = MF_STRING | (entry.program.empty() ? MF_GRAYED : 0);
        const std::wstring& text = entry.caption.empty() ? entry.program : entry.caption;
        AppendMenuW(menu.get(), flags, kFirstEntryId + i, text.c_str());
    }
    if (!entries.empty())
        AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    for (UINT action = 1; action <= 3; ++action)
        AppendMenuW(menu.get(), MF_STRING, action,
                    UiText(IDS_ACTION_TOGGLE_DESKTOP + action - 1).c_str());
    if (dblClickCommand >= 1 && dblClickCommand <= 3)
        SetMenuDefaultItem(menu.get(), static_cast<UINT>(dblClickCommand), FALSE);

    // A popup menu closes on a click elsewhere only while its owner is in
    // front; the posted message lets the menu's end reach the owner's queue.
    SetForegroundWindow(pad);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
        pad, nullptr));
    PostMessageW(pad, WM_NULL, 0, 0);

    PlainMenuChoice choice;
    if (chosen >= 1 && chosen <= 3)
        choice.action = static_cast<std::int32_t>(chosen);
    else if (chosen >= kFirstEntryId && chosen - kFirstEntryId < entries.size())
        choice.open = {entries[chosen - kFirstEntryId].program,
                       entries[chosen - kFirstEntryId].arguments};
    return choice;
}
