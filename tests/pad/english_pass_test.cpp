// The interface on an English Windows. ctest runs these tests as
// pad_tests.english, with Wine started as an English Windows
// (KORVANE_LANG=en_US.UTF-8); in the suite's Japanese run they are skipped.

#include <windows.h>

#include <algorithm>

#include "base/interface_text.h"
#include "base/slot_names.h"
#include "forms/form.h"
#include "tests/menulib/menu_driver.h"
#include "tests/pad/pad_fixture.h"

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
