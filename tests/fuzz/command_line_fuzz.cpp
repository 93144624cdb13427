// Feeds arbitrary UTF-16 text to the command-line splitter and checks the
// properties every split must have.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/command_line.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool HasOuterBlank(const std::wstring& text)
{
    return !text.empty() && (text.front() == L' ' || text.back() == L' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring line;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        line.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));

    const SplitCommand split = SplitCommandLine(line);
    Require(split.program.size() + split.arguments.size() <= line.size());
    Require(split.program.empty() || split.program.back() != L' ');
    Require(!HasOuterBlank(split.arguments));
    Require(!split.program.empty() || !split.quoted);

    // The line a command shows again splits into the same program and
    // arguments, so copying a command never changes it. (A path holds no
    // double quote; a "program" that does is no path and no concern here.)
    const std::wstring stored = StoredProgramText(split);
    if (!split.program.empty() && split.program.find(L'"') == std::wstring::npos) {
        const SplitCommand again = SplitCommandLine(JoinCommandLine(stored, split.arguments));
        Require(StoredProgramText(again) == stored);
        Require(again.arguments == split.arguments);
    }

    const FolderText folder = ParseFolderText(line);
    Require(folder.folder.empty() || folder.folder.back() != L' ');
    Require(ParseFolderText(StoredFolderText(folder)).folder == folder.folder);
    return 0;
}
