// The README and the documents give the figures this build has wherever they
// give one that drifts with the program: the release files (and so the
// version), the version, the number of faults in the fault list and the
// hot key a first start sets.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/first_hot_key.h"

namespace {

const std::filesystem::path kSource = KORVANE_SOURCE_DIR;

std::string Read(const std::filesystem::path& file)
{
    std::ifstream in(kSource / file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The two READMEs and every page of docs/.
std::vector<std::filesystem::path> Documents()
{
    std::vector<std::filesystem::path> documents{"README.md", "README.ja.md"};
    for (const auto& entry : std::filesystem::directory_iterator(kSource / "docs"))
        if (entry.path().extension() == ".md")
            documents.push_back(std::filesystem::relative(entry.path(), kSource));
    return documents;
}

// Every first group of the pattern's matches, in each document.
std::vector<std::pair<std::string, std::string>> Found(const char* pattern)
{
    std::vector<std::pair<std::string, std::string>> found;
    const std::regex expression(pattern);
    for (const auto& document : Documents()) {
        const std::string text = Read(document);
        for (std::sregex_iterator it(text.begin(), text.end(), expression), end; it != end; ++it)
            found.emplace_back(document.string(), (*it)[1]);
    }
    return found;
}

// As the READMEs write a hot key: Ctrl, Shift, Alt, then the key's cap.
std::string Written(std::int32_t code)
{
    const int key = code & 0xFF;
    const int modifiers = (code >> 8) & 0xFF;
    std::string text = std::string(modifiers & 2 ? "Ctrl+" : "") + (modifiers & 1 ? "Shift+" : "") +
                       (modifiers & 4 ? "Alt+" : "");
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return text + static_cast<char>(key);
    if (key >= 0x70 && key <= 0x87)  // VK_F1 to VK_F24
        return text + "F" + std::to_string(key - 0x6F);
    EXPECT_EQ(key, 0xE2) << "no cap known for this key";
    return text + "＼";  // VK_OEM_102 on the Japanese keyboard
}

TEST(Documents, NameOnlyTheReleaseFilesOfThisBuild)
{
    std::istringstream list(KORVANE_RELEASE_FILES);
    std::set<std::string> files;
    for (std::string file; list >> file;)
        files.insert(file);
    // A name may also stand for every version, as korvane-VERSION.msi.
    for (auto [document, name] : Found(R"((korvane-[-.\w]*\.(msi|zip)))")) {
        if (name.rfind("korvane-VERSION", 0) == 0)
            name.replace(8, 7, KORVANE_VERSION);
        EXPECT_TRUE(files.count(name)) << document << " names " << name;
    }
    for (const char* readme : {"README.md", "README.ja.md"})
        for (const std::string& file : files)
            EXPECT_NE(Read(readme).find(file), std::string::npos) << readme << " lacks " << file;
}

TEST(Documents, GiveThisVersion)
{
    const auto found = Found(R"(Korvane (\d+\.\d+\.\d+))");
    EXPECT_FALSE(found.empty());
    for (const auto& [document, version] : found)
        EXPECT_EQ(version, KORVANE_VERSION) << document;
}

TEST(Documents, CountTheFaultsOfTheList)
{
    std::istringstream list(Read("tools/mutants.txt"));
    int faults = 0;
    for (std::string line; std::getline(list, line);)
        faults += line.rfind("## ", 0) == 0;
    const auto found = Found(R"((\d+) faults)");
    EXPECT_FALSE(found.empty());
    for (const auto& [document, count] : found)
        EXPECT_EQ(std::stoi(count), faults) << document;
}

TEST(Documents, NameTheFirstHotKey)
{
    for (const char* readme : {"README.md", "README.ja.md"})
        for (const std::int32_t key : {kJapaneseFirstHotKey, kOtherFirstHotKey})
            EXPECT_NE(Read(readme).find(Written(key)), std::string::npos) << readme << " lacks " << Written(key);
}

}  // namespace
