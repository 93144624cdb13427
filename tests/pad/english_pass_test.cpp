// The interface on an English Windows. ctest runs these tests as
// pad_tests.english, with Wine started as an English Windows
// (KORVANE_LANG=en_US.UTF-8); in the suite's Japanese run they are skipped.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "base/interface_text.h"
#include "base/slot_names.h"
#include "forms/form.h"
#include "tests/dialogs/settings_dialog_fixture.h"
#include "tests/pad/pad_fixture.h"
#include "tests/support/menu_driver.h"

namespace {

// Kana, kanji, full-width forms and Japanese punctuation: none may show.
bool HasJapanese(const std::wstring& text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
    });
}

class EnglishPass : public PadTest {
protected:
    void SetUp() override
    {
        if (CurrentLanguage() != InterfaceLanguage::English)
            GTEST_SKIP() << "run by pad_tests.english on an English Windows";
        PadTest::SetUp();
    }
};

class EnglishDialogPass : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        if (CurrentLanguage() != InterfaceLanguage::English)
            GTEST_SKIP() << "run by pad_tests.english on an English Windows";
        SettingsDialogTest::SetUp();
    }
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// The texts a window shows: its own, a list's entries.
std::vector<std::wstring> ShownTexts(HWND window)
{
    std::vector<std::wstring> texts{TextOf(window)};
    if (ClassOf(window) == L"ComboBox") {
        const int count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring item(SendMessageW(window, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            SendMessageW(window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            texts.push_back(item.c_str());
        }
    }
    return texts;
}

// The visible controls of the window hold no Japanese, and no two of them
// claim the same access key.
void ExpectEnglishControls(HWND window, const std::wstring& where)
{
    EXPECT_FALSE(HasJapanese(TextOf(window))) << where;
    std::vector<HWND> children;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    std::map<wchar_t, std::wstring> keys;
    for (HWND child : children) {
        if (!IsWindowVisible(child))
            continue;
        for (const std::wstring& text : ShownTexts(child))
            EXPECT_FALSE(HasJapanese(text)) << where << ": " << WindowNameOf(child);
        const std::wstring text = TextOf(child);
        const std::size_t marker = text.find(L'&');
        if (marker == std::wstring::npos || marker + 1 >= text.size() || text[marker + 1] == L'&')
            continue;
        const auto [at, added] = keys.emplace(towlower(text[marker + 1]), text);
        EXPECT_TRUE(added) << where << ": \"" << text << "\" and \"" << at->second << "\"";
    }
}

// The tool-tips this thread has given its controls.
void ExpectEnglishToolTips(const std::wstring& where)
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    int seen = 0;
    for (HWND tip : windows) {
        if (ClassOf(tip) != TOOLTIPS_CLASSW)
            continue;
        const int count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[1024] = L"";
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = text;
            if (SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)) &&
                tool.lpszText == text) {
                EXPECT_FALSE(HasJapanese(text)) << where << ": " << std::wstring(text);
                ++seen;
            }
        }
    }
    EXPECT_GT(seen, 0) << where;
}

// The popup menu on screen, read and closed.
bool ReadOpenMenu(std::vector<std::wstring>& texts)
{
    const HWND menu = FindWindowW(L"#32768", nullptr);
    const auto handle = menu ? reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)) : nullptr;
    if (!handle)
        return false;
    for (const MenuItemView& item : ReadMenu(handle))
        texts.push_back(item.text);
    return true;
}

}  // namespace

TEST_F(EnglishPass, WindowsSpeaksEnglishAndTheLanguageValueCanStillChooseJapanese)
{
    EXPECT_EQ(GetUserDefaultUILanguage(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    RegistryKey key = ProductKey();
    key.WriteValue(kLanguageValueName, std::wstring(L"ja"));
    EXPECT_EQ(ReadLanguageChoice(), InterfaceLanguage::Japanese);
    key.WriteValue(kLanguageValueName, std::wstring(L"de"));
    EXPECT_EQ(ReadLanguageChoice(), InterfaceLanguage::English);
}

TEST_F(EnglishPass, TheStatusWindowTheCommandMenuAndTheNamesSpeakEnglishInTheMessageFont)
{
    AppFolder = BuildFolder();
    StartPad();
    MenuDriver menus;
    menus.Watch(pad->Handle());
    std::vector<std::wstring> shown;
    menus.Then([&](MenuDriver& d) {
        shown = d.Innermost().Texts();
        d.Press(VK_ESCAPE);
    });
    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 31, 0);
    wchar_t status[64] = L"";
    GetWindowTextW(pad->StatusWindow.lblInfo(), status, 64);
    EXPECT_EQ(std::wstring(status), L"Menu");
    Mouse(WM_RBUTTONUP, 0, 31, 0);
    ASSERT_TRUE(menus.AllStepsRan());
    // The built-in actions come from korvane.dll's own tables.
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"&Toggle desktop", L"&Settings...", L"E&xit"}));

    // The digits as a US keyboard types them with Shift.
    std::wstring digits;
    for (std::int32_t key = 26; key < kKeyCount; ++key)
        digits += SlotDisplayName(CommandListKind::Keys, key);
    EXPECT_EQ(digits, L"0[)]1[!]2[@]3[#]4[$]5[%]6[^]7[&]8[*]9[(]");

    std::vector<std::wstring> names;
    for (std::int32_t d = 0; d < kDirectionCount; ++d) {
        names.push_back(SlotDisplayName(CommandListKind::Drags, d));
        EXPECT_FALSE(names.back().empty() || HasJapanese(names.back())) << d;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    EXPECT_EQ(DialogDesign(L"", 10, 10).fontName, metrics.lfMessageFont.lfFaceName);
    EXPECT_FALSE(HasJapanese(metrics.lfMessageFont.lfFaceName));
}

TEST_F(EnglishDialogPass, EveryPageItsMenusAndTheExtensionChooserShowEnglishOnly)
{
    StartPadWith([](cSettings& settings) {
        settings.Drags().Item(3)->StoreCommandLine(L"C:\\windows\\notepad.exe");
        settings.Drags().Item(3)->Caption = L"Notepad";
    });
    std::vector<std::wstring> browseMenu;
    std::vector<std::wstring> otherMenu;
    const auto page = [](int index, const wchar_t* name) {
        return std::vector<std::function<void()>>{
            [=] { Click(L"picTab(" + std::to_wstring(index) + L")"); },
            [=] {
                ExpectEnglishControls(Dialog(), name);
                ExpectEnglishToolTips(name);
            }};
    };
    std::vector<std::function<void()>> steps = {
        [] {
            ExpectEnglishControls(Dialog(), L"drag page");
            // A field's label tells what its field does.
            const wchar_t* const fields[] = {L"txtCommand", L"txtWorkDir", L"txtCaption",
                                             L"cboWindowState"};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(ToolTipOf(Dialog(), Item(L"lblAccess(" + std::to_wstring(i) + L")")),
                          ToolTipOf(Dialog(), Item(fields[i])))
                    << i;
        },
        [] { Click(L"cmdReference(0)"); },
        [&] {
            if (!ReadOpenMenu(browseMenu))
                return ModalScript::RepeatStep();
            // "From file association..." opens the extension chooser.
            PostMessageW(FindWindowW(L"#32768", nullptr), WM_CHAR, L'a', 1);
        },
        [] {
            const HWND chooser = FindNamedWindow(L"cDlgExtension");
            if (!chooser)
                return ModalScript::RepeatStep();
            ExpectEnglishControls(chooser, L"extension chooser");
            PostMessageW(chooser, WM_CLOSE, 0, 0);
        },
        [] { Click(L"cmdOther"); },
        [&] {
            if (!ReadOpenMenu(otherMenu))
                return ModalScript::RepeatStep();
            PostKey(FindWindowW(L"#32768", nullptr), VK_ESCAPE);
        },
    };
    for (auto& more : {page(1, L"key page"), page(2, L"menu page"), page(3, L"general page")})
        steps.insert(steps.end(), more.begin(), more.end());
    steps.push_back([] { Click(L"cmdCancel"); });
    RunDialog(std::move(steps));

    EXPECT_EQ(browseMenu, (std::vector<std::wstring>{L"&File...", L"F&older...",
                                                     L"From file &association..."}));
    ASSERT_EQ(otherMenu.size(), 4u);
    for (const std::wstring& text : otherMenu)
        EXPECT_FALSE(HasJapanese(text)) << text;
}
