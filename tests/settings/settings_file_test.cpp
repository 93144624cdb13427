#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "base/utf8_text.h"

namespace {

// The problem ReadSettingsFile finds in a text, with its values.
struct Refusal {
    SettingsFileProblem problem;
    std::vector<std::wstring> values;
    bool operator==(const Refusal&) const = default;
};

std::string Narrow(const std::wstring& text) { return Utf8FromWide(text).value_or("?"); }

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << "problem " << static_cast<int>(refusal.problem);
    for (const std::wstring& value : refusal.values)
        *out << " [" << Narrow(value) << "]";
}

std::optional<Refusal> RefusalOf(std::string_view text)
{
    try {
        ReadSettingsFile(text);
    } catch (const SettingsFileError& e) {
        return Refusal{e.Problem(), e.Values()};
    }
    return std::nullopt;
}

// The problem WriteSettingsFile finds in settings.
std::optional<Refusal> WriteRefusalOf(const SettingsRecord& settings)
{
    try {
        WriteSettingsFile(settings);
    } catch (const SettingsFileError& e) {
        return Refusal{e.Problem(), e.Values()};
    }
    return std::nullopt;
}

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
            L"%USERPROFILE%\\作業" + i, L"キャプション 🚀 " + i, static_cast<std::int32_t>(n % 4),
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
    s.hotKey = 0x0FFF;
    s.swapButtons = true;
    s.useCustomIcon = true;
    s.customIconFile = L"\\\\?\\C:\\" + std::wstring(kSettingsFileMaxText - 7, L'長');
    s.language = L"en";
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
    using P = SettingsFileProblem;
    const std::string deep = File(R"("menus": [)" + std::string(100000, '[') + std::string(100000, ']') + "]");
    std::string tooMany = "{}";
    for (std::size_t i = 0; i < kSettingsFileMaxMenus; ++i)
        tooMany += ",{}";
    const struct Row {
        std::string text;
        Refusal refusal;
    } rows[] = {
        {"", {P::Empty, {}}},
        {"\xEF\xBB\xBF \r\n ", {P::Empty, {}}},
        {File("").substr(0, 30), {P::CutShort, {L"1", L"31"}}},
        {File(R"("menus": [{"caption": "a")"), {P::CutShort, {L"1", L"72"}}},
        {File(R"("menus": [{"caption": "長")").substr(0, 69), {P::CutShort, {L"1", L"70"}}},
        {File("").append(","), {P::NotJson, {L"1", L"45"}}},
        {"{\"format\": \"Korvane settings\",\n \"version\": 1,\n \"options\": {hotKey: 1}}",
         {P::NotJson, {L"3", L"14"}}},
        {File(R"("menus": [{"caption": "\ud800"}])"), {P::NotJson, {L"1", L"75"}}},
        {File("\"menus\": [{\"caption\": \"ok\"}, {\"caption\": \"bad \xFF\"}]"), {P::BadUtf8, {L"1", L"92"}}},
        {File("\"menus\": [{\"caption\": \"overlong \xC0\xAF\"}]"), {P::BadUtf8, {L"1", L"78"}}},
        {std::string(R"({"format": "Korvane settings", "version": 1,)") + '\0' + "}", {P::NulByte, {L"1", L"45"}}},
        {"[1, 2]", {P::NotSettings, {L"Korvane settings"}}},
        {"\"Korvane settings\"", {P::NotSettings, {L"Korvane settings"}}},
        {R"({"version": 1})", {P::NotSettings, {L"Korvane settings"}}},
        {R"({"format": "Other settings", "version": 1})", {P::NotSettings, {L"Korvane settings"}}},
        {R"({"format": 1, "version": 1})", {P::NotSettings, {L"Korvane settings"}}},
        {R"({"format": "Korvane settings"})", {P::NoVersion, {}}},
        {R"({"format": "Korvane settings", "version": "1"})", {P::VersionNotInteger, {}}},
        {R"({"format": "Korvane settings", "theme": "dark", "version": 2})", {P::UnknownVersion, {L"2", L"1"}}},
        {R"({"format": "Korvane settings", "version": 1.5})", {P::UnknownVersion, {L"1.5", L"1"}}},
        {File(R"("options": {"hotKey": 1, "hotkey": 2})"), {P::UnknownField, {L"options.hotkey"}}},
        {File(R"("menus": [{}, {"Caption": "x"}])"), {P::UnknownField, {L"menus[1].Caption"}}},
        {File(R"("drags": {"Up": {}})"), {P::UnknownField, {L"drags.Up"}}},
        {File(R"("keys": {"a": {}})"), {P::UnknownField, {L"keys.a"}}},
        {File(R"("comment": "hello")"), {P::UnknownField, {L"comment"}}},
        {File(R"("options": {"hotKey": 1, "hotKey": 2})"), {P::Twice, {L"options.hotKey"}}},
        {File(R"("options": {"popupStatus": 1})"), {P::NotBoolean, {L"options.popupStatus"}}},
        {File(R"("options": {"hotKey": 1.5})"), {P::NotInteger, {L"options.hotKey"}}},
        {File(R"("position": {"x": "0.5"})"), {P::NotNumber, {L"position.x"}}},
        {File(R"("options": {"customIconFile": null})"), {P::NotText, {L"options.customIconFile"}}},
        {File(R"("menus": [{}, 5])"), {P::NotObject, {L"menus[1]"}}},
        {File(R"("keys": {"A": []})"), {P::NotObject, {L"keys.A"}}},
        {deep, {P::NotObject, {L"menus[0]"}}},
        {File(R"("menus": {"0": {}})"), {P::NotArray, {L"menus"}}},
        {File(R"("options": {"hotKey": 2147483648})"), {P::OutOfRange, {L"options.hotKey", L"2147483648", L"0", L"4095"}}},
        {File(R"("options": {"language": "xx"})"), {P::NotALanguage, {L"options.language", L"xx"}}},
        {File(R"("position": {"y": 1e39})"), {P::TooLargeNumber, {L"position.y", L"1e39"}}},
        {File(R"("menus": [{"caption": "a\u0000b"}])"), {P::NulInText, {L"menus[0].caption"}}},
        {File(R"("options": {"customIconFile": ")" + std::string(kSettingsFileMaxText + 1, 'a') + "\"}"),
         {P::TextTooLong, {L"options.customIconFile", L"32767"}}},
        {File("\"menus\": [" + tooMany + "]"), {P::TooManyMenus, {L"10000"}}},
        {std::string(kSettingsFileMaxBytes + 1, ' '), {P::TooLarge, {L"16"}}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RefusalOf(row.text), row.refusal) << row.text.substr(0, 200);
}

// Every number at both ends of its range is taken and read back; one past
// either end is refused by the reader and the writer alike, never wrapped.
TEST(SettingsFile, EveryNumberIsHeldToItsRangeAtBothEnds)
{
    using Field = std::int32_t& (*)(SettingsRecord&);
    const struct Row {
        const char* before;  // the file's text up to the value, and after it
        const char* after;
        std::wstring path;
        long long least, greatest;
        Field field;
    } rows[] = {
        {R"("options": {"doubleClickCommand": )", "}", L"options.doubleClickCommand", 0, 3,
         [](SettingsRecord& s) -> std::int32_t& { return s.doubleClickCommand; }},
        {R"("options": {"hotKey": )", "}", L"options.hotKey", 0, 0x0FFF,
         [](SettingsRecord& s) -> std::int32_t& { return s.hotKey; }},
        {R"("drags": {"Upward": {"windowState": )", "}}", L"drags.Upward.windowState", 0, 3,
         [](SettingsRecord& s) -> std::int32_t& { return s.drags[0].windowState; }},
        {R"("keys": {"9": {"windowState": )", "}}", L"keys.9.windowState", 0, 3,
         [](SettingsRecord& s) -> std::int32_t& { return s.keys[35].windowState; }},
        {R"("menus": [{"windowState": )", "}]", L"menus[0].windowState", 0, 3,
         [](SettingsRecord& s) -> std::int32_t& { return s.menus.emplace_back().windowState; }},
    };
    for (const Row& row : rows) {
        const auto text = [&](long long value) { return File(row.before + std::to_string(value) + row.after); };
        const std::vector<std::wstring> range = {std::to_wstring(row.least), std::to_wstring(row.greatest)};
        for (const long long value : {row.least, row.greatest}) {
            SettingsRecord expected;
            row.field(expected) = static_cast<std::int32_t>(value);
            EXPECT_EQ(ReadSettingsFile(text(value)), expected) << Narrow(row.path) << " " << value;
            EXPECT_EQ(ReadSettingsFile(WriteSettingsFile(expected)), expected);
        }
        for (const long long value : {row.least - 1, row.greatest + 1, -2147483649LL, 4294967296LL + row.least}) {
            const Refusal refusal{SettingsFileProblem::OutOfRange, {row.path, std::to_wstring(value), range[0], range[1]}};
            EXPECT_EQ(RefusalOf(text(value)), refusal);
            if (value < INT32_MIN || value > INT32_MAX)
                continue;
            SettingsRecord outside;
            row.field(outside) = static_cast<std::int32_t>(value);
            EXPECT_EQ(WriteRefusalOf(outside), refusal);
        }
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
    SettingsRecord unknownLanguage;
    unknownLanguage.language = L"xx";
    const std::pair<const SettingsRecord*, Refusal> rows[] = {
        {&tooMany, {SettingsFileProblem::TooManyMenus, {L"10000"}}},
        {&tooLong, {SettingsFileProblem::TextTooLong, {L"keys.A.arguments", L"32767"}}},
        {&lone, {SettingsFileProblem::BadUtf16, {L"menus[2].caption"}}},
        {&unknownLanguage, {SettingsFileProblem::NotALanguage, {L"options.language", L"xx"}}},
    };
    for (const auto& [settings, refusal] : rows)
        EXPECT_EQ(WriteRefusalOf(*settings), refusal);
}
