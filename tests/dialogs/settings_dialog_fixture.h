#pragma once
// The settings dialog opened over a pad in this process, driven through its
// named controls from inside its modal loop.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/settings_dialog.h"
#include "forms/window_name.h"
#include "tests/pad/pad_fixture.h"
#include "tests/support/modal_script.h"
#include "tests/support/registry_tree.h"
#include "tests/support/user_steps.h"
#include "tests/support/window_query.h"

// A hot key as the hot-key control and the registry hold it.
inline constexpr std::int32_t kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
inline std::int32_t HotKeyCode(int key, int modifiers) { return MAKEWORD(key, modifiers); }

class SettingsDialogTest : public PadTest {
protected:
    // Stores the settings as the user had them, then starts the pad on them.
    cMain& StartPadWith(const std::function<void(cSettings&)>& change)
    {
        change(*AppSettings);
        RegistryKey key = ProductKey();
        Persistence().PersistOf(*AppSettings).Save(key);
        return StartPad();
    }

    // Opens the dialog over the pad and runs the steps inside its modal loop.
    void RunDialog(std::vector<std::function<void()>> steps)
    {
        ModalScript script(std::move(steps), [] {
            ADD_FAILURE() << "the dialog stayed open";
            SendMessageW(Dialog(), WM_CLOSE, 0, 0);
        });
        cDlgSettings::ShowSettings(*pad);
    }

    static HWND Dialog() { return FindNamedWindow(L"cDlgSettings"); }
    static HWND Item(const std::wstring& name) { return ChildNamed(Dialog(), name); }
    static void Click(const std::wstring& name) { PostClick(Item(name)); }
    static bool Enabled(const std::wstring& name) { return IsWindowEnabled(Item(name)) != 0; }
    static bool Checked(const std::wstring& name)
    {
        return SendMessageW(Item(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static std::int32_t HotKeyShown()
    {
        return static_cast<std::int32_t>(
            LOWORD(SendMessageW(Item(L"HotKeyWnd"), HKM_GETHOTKEY, 0, 0)));
    }
    // The page on show, or -1 unless exactly one is visible.
    static int VisiblePage()
    {
        int page = -1;
        for (int i = 0; i < cDlgSettings::kPageCount; ++i) {
            if (!IsWindowVisible(Item(L"fraTab(" + std::to_wstring(i) + L")")))
                continue;
            if (page != -1)
                return -1;
            page = i;
        }
        return page;
    }
    static std::wstring Focused() { return WindowNameOf(GetFocus()); }
    // Real keys through the X server, in xdotool's words ("alt+w", "shift+Tab"),
    // handled by the dialog as it handles a user's; true once done() holds.
    static bool PressUntil(const std::wstring& keys, const std::function<bool()>& done)
    {
        return PressKeys(keys) && Eventually(done) && WaitForKeysUp();
    }
    // Presses the keys and waits for the focus to move; where it went.
    static std::wstring FocusAfter(const std::wstring& keys)
    {
        const HWND before = GetFocus();
        PressUntil(keys, [&] { return GetFocus() != before; });
        return Focused();
    }

    // The stored settings made volatile, with their position key: no lasting
    // key can be made inside them any more, so a save of the settings fails
    // as a registry refusing writes does, while the position is still stored.
    static void RefuseSettingsSaves()
    {
        RegistryTree stored = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
        stored.keys[L"Position"];
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, stored, REG_OPTION_VOLATILE);
    }
    // What the user is told of it.
    static inline const std::wstring kRefusedSaveText =
        L"レジストリキーを作成できません: " + std::wstring(kProductKeyPath) + L"\\Staging\\Contents";

    std::int32_t StoredValue(const std::wstring& name)
    {
        return ProductKey().ReadValue(name, std::int32_t{-100});
    }
};
