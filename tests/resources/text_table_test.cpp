// The string tables of resources/texts.rc, read as the resource compiler reads
// them: both languages hold every number of text_ids.h, no text is empty, and
// a translation keeps the original's access key and placeholders.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

using Table = std::map<std::string, std::string>;

std::string SourceFile(const char* name)
{
    std::ifstream in(std::string(KORVANE_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The tables by language name ("LANG_JAPANESE" ...), entries by id name, with
// the script's doubled quotes read as one.
std::map<std::string, Table> Tables()
{
    std::map<std::string, Table> tables;
    std::istringstream script(SourceFile("texts.rc"));
    const std::regex language(R"(^LANGUAGE\s+(\w+)\s*,)");
    const std::regex entry(R"(^\s+(IDS_\w+)\s+\"((?:[^\"]|\"\")*)\"\s*$)");
    std::string current;
    std::string line;
    std::smatch match;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (std::regex_search(line, match, language)) {
            current = match[1];
        } else if (std::regex_match(line, match, entry)) {
            const std::string text = std::regex_replace(match[2].str(), std::regex("\"\""), "\"");
            EXPECT_TRUE(tables[current].emplace(match[1], text).second)
                << current << " holds " << match[1] << " twice";
        } else {
            EXPECT_EQ(line.find("IDS_"), std::string::npos) << "unread line: " << line;
        }
    }
    return tables;
}

std::map<std::string, int> Ids()
{
    std::map<std::string, int> ids;
    std::istringstream header(SourceFile("text_ids.h"));
    const std::regex define(R"(^#define\s+(IDS_\w+)\s+(\d+)\s*$)");
    std::string line;
    std::smatch match;
    while (std::getline(header, line))
        if (std::regex_match(line, match, define))
            ids[match[1]] = std::stoi(match[2]);
    return ids;
}

// The access key: the character after a single "&" ("&&" is a literal one).
std::string AccessKeys(const std::string& text)
{
    std::string keys;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            keys += '&';
        ++i;
    }
    return keys;
}

std::multiset<std::string> Placeholders(const std::string& text)
{
    std::multiset<std::string> found;
    const std::regex placeholder("%[1-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

}  // namespace

TEST(TextTable, BothLanguagesHoldEveryIdOnceWithUniqueNumbers)
{
    const std::map<std::string, int> ids = Ids();
    ASSERT_GT(ids.size(), 30u);
    std::set<int> numbers;
    for (const auto& [name, number] : ids)
        EXPECT_TRUE(numbers.insert(number).second) << name << " reuses " << number;

    const auto tables = Tables();
    ASSERT_EQ(tables.size(), 2u);
    for (const char* language : {"LANG_JAPANESE", "LANG_ENGLISH"}) {
        ASSERT_TRUE(tables.count(language)) << language;
        const Table& table = tables.at(language);
        for (const auto& [name, number] : ids)
            EXPECT_TRUE(table.count(name)) << language << " lacks " << name;
        for (const auto& [name, text] : table) {
            EXPECT_TRUE(ids.count(name)) << language << " holds " << name << ", not in text_ids.h";
            EXPECT_FALSE(text.empty()) << language << " " << name;
        }
    }
}

TEST(TextTable, TranslationsKeepAccessKeysAndPlaceholders)
{
    const auto tables = Tables();
    ASSERT_EQ(tables.size(), 2u);
    const Table& japanese = tables.at("LANG_JAPANESE");
    const Table& english = tables.at("LANG_ENGLISH");
    for (const auto& [name, original] : japanese) {
        if (!english.count(name))
            continue;
        const std::string& translation = english.at(name);
        EXPECT_EQ(AccessKeys(translation), AccessKeys(original)) << name << ": " << translation;
        EXPECT_EQ(Placeholders(translation), Placeholders(original)) << name << ": " << translation;
        // An English text is written in the characters every Windows has.
        for (unsigned char c : translation)
            EXPECT_LT(c, 0x80) << name << ": " << translation;
    }
}

TEST(TextTable, EnglishHasOneWordForThePadACommandAndAMenuEntry)
{
    // "pad", "command" and "menu entry", never these.
    const std::regex other(R"(\b(launcher|task|item)s?\b)", std::regex::icase);
    const auto tables = Tables();
    for (const auto& [name, text] : tables.at("LANG_ENGLISH"))
        EXPECT_FALSE(std::regex_search(text, other)) << name << ": " << text;
}
