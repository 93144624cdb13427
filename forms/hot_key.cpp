#include "forms/hot_key.h"

#include <commctrl.h>

#include <map>
#include <string>

#include "base/interface_text.h"
#include "base/system.h"

namespace {

// Registrations standing in for WM_SETHOTKEY, by window. Windows that no
// longer exist are dropped whenever the table is consulted.
std::map<HWND, std::int32_t>& Registered()
{
    static std::map<HWND, std::int32_t> table;
    for (auto it = table.begin(); it != table.end();)
        it = IsWindow(it->first) ? std::next(it) : table.erase(it);
    return table;
}

void Unregister(HWND window)
{
    auto& table = Registered();
    if (table.erase(window) != 0)
        UnregisterHotKey(window, kHotKeyId);
}

// Answers like WM_SETHOTKEY: 1 assigned, 0 failed, 2 taken, -1 invalid code.
LRESULT RegisterInstead(HWND window, std::int32_t code)
{
    Unregister(window);
    if (code == 0)
        return 1;
    const UINT vk = LOBYTE(code);
    const BYTE flags = HIBYTE(code);
    if (vk == 0 || vk == VK_ESCAPE || vk == VK_SPACE || vk == VK_TAB)
        return -1;
    const UINT modifiers = ((flags & HOTKEYF_ALT) ? MOD_ALT : 0) |
                           ((flags & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                           ((flags & HOTKEYF_SHIFT) ? MOD_SHIFT : 0);
    if (!RegisterHotKey(window, kHotKeyId, modifiers, vk))
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? 2 : 0;
    Registered()[window] = code;
    return 1;
}

}  // namespace

bool SetHotKey(HWND window, std::int32_t code)
{
    LRESULT result = SendMessageW(window, WM_SETHOTKEY, static_cast<WPARAM>(code), 0);
    if (result == 0 && IsWindow(window))
        result = RegisterInstead(window, code);
    else if (result == 1)
        Unregister(window);

    UINT reason = 0;
    switch (result) {
    case 1:
        return true;
    case 0:
        reason = IDS_HOT_KEY_BAD_WINDOW;
        break;
    case 2:
        reason = IDS_HOT_KEY_TAKEN;
        break;
    case -1:
        reason = IDS_HOT_KEY_INVALID;
        break;
    default:
        reason = IDS_HOT_KEY_UNKNOWN;
        break;
    }
    MsgBox(UiText(IDS_HOT_KEY_NOT_SET, {UiText(reason)}), MB_OK | MB_ICONEXCLAMATION, window);
    return false;
}

std::int32_t HotKeyOf(HWND window)
{
    const auto native = static_cast<std::int32_t>(SendMessageW(window, WM_GETHOTKEY, 0, 0));
    if (native != 0)
        return native;
    const auto& table = Registered();
    const auto it = table.find(window);
    return it == table.end() ? 0 : it->second;
}

bool HandleHotKeyMessage(HWND window, UINT message, WPARAM wParam)
{
    if (message != WM_HOTKEY || wParam != kHotKeyId)
        return false;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return true;
}
