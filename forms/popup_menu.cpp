#include "forms/popup_menu.h"

#include "base/win_handles.h"
#include "forms/form.h"

PopupMenu::PopupMenu(std::wstring name, std::vector<std::wstring> captions) : name_(std::move(name))
{
    for (std::wstring& caption : captions)
        entries_.push_back({std::move(caption), true});
}

void PopupMenu::Popup(Form& form, int x, int y)
{
    const HWND owner = form.hWnd();
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    // Command ids are the entry's index + 1: 0 means nothing was chosen.
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.caption == L"-")
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.get(), MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                        entry.caption.c_str());
    }
    POINT at{x, y};
    ClientToScreen(owner, &at);
    const BOOL chosen = TrackPopupMenuEx(menu.get(),
                                         TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                         at.x, at.y, owner, nullptr);
    if (chosen > 0 && OnClick)
        OnClick(chosen - 1);
}
