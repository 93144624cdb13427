#include "base/language_choice.h"

#include <gtest/gtest.h>

TEST(LanguageChoice, TheUsersValueOverridesWindowsAndAnythingElseFollowsIt)
{
    using enum InterfaceLanguage;
    const struct {
        std::optional<std::wstring> stored;
        bool windowsJapanese;
        InterfaceLanguage chosen;
    } rows[] = {
        {std::nullopt, true, Japanese}, {std::nullopt, false, English},
        {L"en", true, English},         {L"ja", false, Japanese},
        {L"EN", true, English},         {L"Ja", false, Japanese},
        {L"", true, Japanese},          {L"", false, English},
        {L"fr", true, Japanese},        {L"english", false, English},
        {L"en ", true, Japanese},       {L"japanese", false, English},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseLanguage(row.stored, row.windowsJapanese), row.chosen)
            << (row.stored ? *row.stored : L"(none)") << " " << row.windowsJapanese;
}

TEST(LanguageChoice, FillInReplacesEachPlaceholderOnceAndKeepsTheRest)
{
    EXPECT_EQ(FillIn(L"パス名 '%1' は無効です。", {L"C:\\x"}), L"パス名 'C:\\x' は無効です。");
    EXPECT_EQ(FillIn(L"%2 then %1", {L"a", L"b"}), L"b then a");
    // A value is not read again for placeholders of its own.
    EXPECT_EQ(FillIn(L"'%1'", {L"%1%2"}), L"'%1%2'");
    // A placeholder without a value, a lone percent and one at the end stay.
    EXPECT_EQ(FillIn(L"%2 100% %", {L"a"}), L"%2 100% %");
    EXPECT_EQ(FillIn(L"", {L"a"}), L"");
}
