#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "base/numbered_error.h"
#include "base/utf8_text.h"

namespace {

// What ReadSettingsFile says about a text it refuses; empty when it reads it.
std::wstring Refusal(std::string_view text)
{
    try {
        ReadSettingsFile(text);
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.Number(), kErrInvalidValue);
        return e.Description();
    }
    return L"";
}

std::string Narrow(const std::wstring& text) { return Utf8FromWide(text).value_or("?"); }

// A file around the given members of the top-level object.
std::string File(std::string_view members)
{
    return std::string(R"({"format": "Korvane settings", "version": 1)") +
           (members.empty() ? "" : ", ") + std::string(members) + "}";
}

CommandRecord RichCommand(std::size_t n)
{
    const std::wstring i = std::to_wstring(n);
    return {L"\"C:\\Program Files\\ツール " + i + L"\\app.exe\"", L"-x \"a\\b\" \t\r\n" + i,
            L"%USERPROFILE%\\作業" + i, L"キャプション 🚀 " + i, static_cast<std::int32_t>(n % 5) - 1,
            n % 2 == 0};
}

// Every field away from its default, texts of every kind and length.
SettingsRecord RichSettings()
{
    SettingsRecord s;
    s.popupStatus = false;
    s.alwaysOnTop = false;
    s.doubleClickCommand = 3;
    s.activeStyle = true;
    s.hotKey = -2147483647 - 1;
    s.swapButtons = true;
    s.useCustomIcon = true;
    s.customIconFile = L"\\\\?\\C:\\" + std::wstring(kSettingsFileMaxText - 7, L'長');
    s.x = 1.0f / 3.0f;
    s.y = -1e-30f;
    for (std::size_t i = 0; i < s.drags.size(); ++i)
        s.drags[i] = RichCommand(i);
    for (std::size_t i = 0; i < s.keys.size(); i += 3)
        s.keys[i] = RichCommand(100 + i);
    s.keys[35].windowState = 2;  // only one field away from the defaults
    for (std::size_t i = 0; i < 200; ++i)
        s.menus.push_back(RichCommand(1000 + i));
    s.menus[7] = {};
    return s;
}

}  // namespace

TEST(SettingsFile, WhatIsWrittenReadsBackTheSame)
{
    const SettingsRecord rich = RichSettings();
    const std::string text = WriteSettingsFile(rich);
    EXPECT_EQ(ReadSettingsFile(text), rich);
    EXPECT_EQ(ReadSettingsFile("\xEF\xBB\xBF" + text), rich);
    EXPECT_EQ(ReadSettingsFile(WriteSettingsFile({})), SettingsRecord{});
    // Readable and diffable: one member a line, the text as it is.
    EXPECT_NE(text.find("\r\n  \"options\": {\r\n    \"popupStatus\": false,\r\n"), std::string::npos);
    EXPECT_NE(text.find("ツール 3"), std::string::npos);
    EXPECT_EQ(text.find("\"B\""), std::string::npos) << "an empty slot is left out";
}

TEST(SettingsFile, LeftOutFieldsTakeTheirDefaults)
{
    SettingsRecord expected;
    expected.hotKey = 994;
    expected.keys[26].caption = L"Zero";
    expected.menus.resize(2);
    expected.menus[1].setFocus = false;
    EXPECT_EQ(ReadSettingsFile(File(R"("options": {"hotKey": 994}, "keys": {"0": {"caption": "Zero"}},
                                        "menus": [{}, {"setFocus": false}])")),
              expected);
    EXPECT_EQ(ReadSettingsFile(File(R"("position": {"x": 2, "y": 0.25})")).x, 2.0f);
}

TEST(SettingsFile, EveryBadFileIsRefusedWithWhatAndWhere)
{
    const std::string deep = File(R"("menus": [)" + std::string(100000, '[') + std::string(100000, ']') + "]");
    struct Row {
        std::string text;
        const wchar_t* said;  // a part of the message
    } rows[] = {
        {"", L"空です"},
        {"\xEF\xBB\xBF \r\n ", L"空です"},
        {File("").substr(0, 30), L"途中で終わって"},
        {File(R"("menus": [{"caption": "a")"), L"途中で終わって"},
        {File(R"("menus": [{"caption": "長")").substr(0, 69), L"途中で終わって"},
        {File("").append(","), L"1 行目 45 文字目の書き方が JSON として正しくありません"},
        {"{\"format\": \"Korvane settings\",\n \"version\": 1,\n \"options\": {hotKey: 1}}",
         L"3 行目 14 文字目の書き方"},
        {"[1, 2]", L"Korvane の設定ファイルではありません"},
        {"\"Korvane settings\"", L"Korvane の設定ファイルではありません"},
        {R"({"version": 1})", L"Korvane の設定ファイルではありません"},
        {R"({"format": "Other settings", "version": 1})", L"Korvane の設定ファイルではありません"},
        {R"({"format": 1, "version": 1})", L"Korvane の設定ファイルではありません"},
        {R"({"format": "Korvane settings"})", L"\"version\") がありません"},
        {R"({"format": "Korvane settings", "version": 2, "theme": "dark"})", L"版 (2) には対応していません"},
        {R"({"format": "Korvane settings", "version": 1.5})", L"版 (1.5) には対応していません"},
        {R"({"format": "Korvane settings", "version": "1"})", L"整数でなければなりません"},
        {File(R"("options": {"hotKey": 1, "hotkey": 2})"), L"options の \"hotkey\" はこの形式にない項目です"},
        {File(R"("menus": [{}, {"Caption": "x"}])"), L"menus[1] の \"Caption\" はこの形式にない項目です"},
        {File(R"("drags": {"Up": {}})"), L"drags の \"Up\" はこの形式にない項目です"},
        {File(R"("keys": {"a": {}})"), L"keys の \"a\" はこの形式にない項目です"},
        {File(R"("comment": "hello")"), L"\"comment\" はこの形式にない項目です"},
        {File(R"("options": {"hotKey": 1, "hotKey": 2})"), L"options.hotKey が二度書かれています"},
        {File(R"("options": {"hotKey": 1.5})"), L"options.hotKey は 整数 でなければなりません"},
        {File(R"("options": {"hotKey": 2147483648})"), L"options.hotKey の値が範囲外です"},
        {File(R"("options": {"popupStatus": 1})"), L"options.popupStatus は true か false でなければ"},
        {File(R"("options": {"customIconFile": null})"), L"options.customIconFile は 文字列 でなければ"},
        {File(R"("position": {"x": "0.5"})"), L"position.x は 数値 でなければ"},
        {File(R"("position": {"y": 1e39})"), L"position.y の値 1e39 は大きすぎます"},
        {File(R"("menus": {"0": {}})"), L"menus は 配列 ([ ]) でなければ"},
        {File(R"("menus": [{}, 5])"), L"menus[1] は オブジェクト ({ }) でなければ"},
        {File(R"("keys": {"A": []})"), L"keys.A は オブジェクト ({ }) でなければ"},
        {File(R"("menus": [{"caption": "a\u0000b"}])"), L"menus[0].caption に NUL 文字があります"},
        {File(R"("menus": [{"caption": "\ud800"}])"), L"の書き方が JSON として正しくありません"},
        {File(R"("options": {"customIconFile": ")" + std::string(kSettingsFileMaxText + 1, 'a') + "\"}"),
         L"options.customIconFile が 32767 文字を超えています"},
        {File("\"menus\": [" + [] {
             std::string many = "{}";
             for (std::size_t i = 0; i < kSettingsFileMaxMenus; ++i)
                 many += ",{}";
             return many;
         }() + "]"),
         L"menus の項目が 10000 個を超えています"},
        {File("\"menus\": [{\"caption\": \"ok\"}, {\"caption\": \"bad \xFF\"}]"),
         L"1 行目 92 文字目に UTF-8 として正しくないバイトがあります"},
        {File("\"menus\": [{\"caption\": \"overlong \xC0\xAF\"}]"), L"UTF-8 として正しくないバイト"},
        {std::string(R"({"format": "Korvane settings", "version": 1,)") + '\0' + "}", L"1 行目 45 文字目に NUL 文字があります"},
        {deep, L"menus[0] は オブジェクト ({ }) でなければ"},
        {std::string(kSettingsFileMaxBytes + 1, ' '), L"ファイルが大きすぎます (16 MB まで)"},
    };
    for (const Row& row : rows) {
        const std::wstring said = Refusal(row.text);
        EXPECT_NE(said.find(row.said), std::wstring::npos)
            << Narrow(row.said) << " in: " << Narrow(said) << " for: " << row.text.substr(0, 200);
    }
}

TEST(SettingsFile, WhatCouldNotBeReadBackIsNotWritten)
{
    SettingsRecord tooMany;
    tooMany.menus.resize(kSettingsFileMaxMenus + 1);
    SettingsRecord tooLong;
    tooLong.keys[0].arguments.assign(kSettingsFileMaxText + 1, L'x');
    SettingsRecord lone;
    lone.menus.resize(3);
    lone.menus[2].caption = std::wstring(1, static_cast<wchar_t>(0xD800));
    const std::pair<const SettingsRecord*, const wchar_t*> rows[] = {
        {&tooMany, L"menus の項目が 10000 個を超えています"},
        {&tooLong, L"keys.A.arguments が 32767 文字を超えています"},
        {&lone, L"menus[2].caption に UTF-16 として正しくない文字があります"},
    };
    for (const auto& [settings, said] : rows) {
        try {
            WriteSettingsFile(*settings);
            ADD_FAILURE() << Narrow(said);
        } catch (const NumberedError& e) {
            EXPECT_NE(e.Description().find(said), std::wstring::npos) << Narrow(e.Description());
        }
    }
}
