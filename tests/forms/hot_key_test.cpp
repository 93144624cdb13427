#include "forms/hot_key.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "base/win_handles.h"
#include "tests/support/dialog_watcher.h"

namespace {

UniqueWindow MakeWindow(const wchar_t* title)
{
    return UniqueWindow(CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 34, 34, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr));
}

const std::wstring kFailed = L"ホットキーの設定に失敗しました。";

}  // namespace

TEST(SetHotKey, AssignsReportsAndRemoves)
{
    UniqueWindow pad = MakeWindow(L"Korvane");
    DialogWatcher watcher;
    const std::int32_t ctrlShiftF11 = (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | VK_F11;
    EXPECT_TRUE(SetHotKey(pad.get(), ctrlShiftF11));
    EXPECT_EQ(HotKeyOf(pad.get()), ctrlShiftF11);
    EXPECT_TRUE(SetHotKey(pad.get(), ctrlShiftF11));  // assigning it again is fine
    EXPECT_TRUE(SetHotKey(pad.get(), 0));
    EXPECT_EQ(HotKeyOf(pad.get()), 0);
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST(SetHotKey, EachFailureHasItsMessage)
{
    UniqueWindow pad = MakeWindow(L"Korvane");
    UniqueWindow other = MakeWindow(L"Other");
    const std::int32_t altF12 = HOTKEYF_ALT << 8 | VK_F12;
    ASSERT_TRUE(SetHotKey(other.get(), altF12));

    DialogWatcher watcher;
    EXPECT_FALSE(SetHotKey(pad.get(), altF12));
    EXPECT_FALSE(SetHotKey(pad.get(), HOTKEYF_CONTROL << 8 | VK_ESCAPE));
    EXPECT_FALSE(SetHotKey(pad.get(), HOTKEYF_CONTROL << 8 | VK_TAB));
    const HWND dead = MakeWindow(L"dead").get();  // destroyed at the end of the statement
    EXPECT_FALSE(SetHotKey(dead, altF12));

    ASSERT_EQ(watcher.Boxes().size(), 4u);
    EXPECT_EQ(watcher.Boxes()[0].text,
              kFailed + L"（ホットキーは既に他のウィンドウに割り当てられています）");
    EXPECT_EQ(watcher.Boxes()[1].text, kFailed + L"（無効なホットキーの指定です）");
    EXPECT_EQ(watcher.Boxes()[2].text, kFailed + L"（無効なホットキーの指定です）");
    EXPECT_EQ(watcher.Boxes()[3].text, kFailed + L"（ウィンドウが無効です）");
    for (const ShownBox& box : watcher.Boxes()) {
        EXPECT_EQ(box.caption, L"Korvane");
        EXPECT_EQ(box.icon, BoxIcon::Exclamation);
    }
    EXPECT_EQ(HotKeyOf(pad.get()), 0);
}

TEST(SetHotKey, TheHotKeyMessageActivatesTheWindow)
{
    UniqueWindow pad = MakeWindow(L"Korvane");
    UniqueWindow other = MakeWindow(L"Other");
    ShowWindow(pad.get(), SW_SHOW);
    ShowWindow(other.get(), SW_SHOW);
    SetForegroundWindow(other.get());
    const std::int32_t code = (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | VK_F9;
    ASSERT_TRUE(SetHotKey(pad.get(), code));
    if (SendMessageW(pad.get(), WM_GETHOTKEY, 0, 0) != 0)
        GTEST_SKIP() << "the platform implements WM_SETHOTKEY itself";
    // Registered instead, with the very keys: no other window gets them.
    EXPECT_FALSE(RegisterHotKey(other.get(), 2, MOD_CONTROL | MOD_SHIFT, VK_F9));
    EXPECT_FALSE(HandleHotKeyMessage(pad.get(), WM_HOTKEY, 1));
    EXPECT_TRUE(HandleHotKeyMessage(pad.get(), WM_HOTKEY, kHotKeyId));
    EXPECT_EQ(GetForegroundWindow(), pad.get());
}
