#include "commands/command_line.h"

namespace {

constexpr wchar_t kBlank = L' ';
constexpr wchar_t kQuote = L'"';

bool StartsAndEndsWithQuote(const std::wstring& s)
{
    return s.size() >= 2 && s.front() == kQuote && s.back() == kQuote;
}

}  // namespace

std::wstring TrimLeadingBlanks(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(kBlank);
    return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

std::wstring TrimTrailingBlanks(const std::wstring& text)
{
    const size_t last = text.find_last_not_of(kBlank);
    return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

std::wstring TrimBlanks(const std::wstring& text) { return TrimTrailingBlanks(TrimLeadingBlanks(text)); }

SplitCommand SplitCommandLine(const std::wstring& line)
{
    const std::wstring s = TrimLeadingBlanks(line);
    SplitCommand split;
    // A path never holds a double quote, so a line whose inner part does is a
    // quoted program followed by quoted arguments ("C:\a b\x.exe" "c d.txt"),
    // not one program reaching from the first quote to the last.
    if (StartsAndEndsWithQuote(s) && s.find(kQuote, 1) == s.size() - 1) {
        split.quoted = true;
        split.program = TrimTrailingBlanks(s.substr(1, s.size() - 2));
    } else if (const size_t p = s.find(L"\" ", 1);
               !s.empty() && s.front() == kQuote && p != std::wstring::npos) {
        split.quoted = true;
        split.program = TrimTrailingBlanks(s.substr(1, p - 1));
        split.arguments = TrimBlanks(s.substr(p + 2));
    } else if (const size_t blank = s.find(kBlank); blank == std::wstring::npos) {
        split.program = s;
    } else {
        split.program = TrimTrailingBlanks(s.substr(0, blank));
        split.arguments = TrimBlanks(s.substr(blank + 1));
    }
    if (split.program.empty())
        split.quoted = false;
    return split;
}

std::wstring SlashesToBackslashes(std::wstring path)
{
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring StoredProgramText(const SplitCommand& split)
{
    const std::wstring program = SlashesToBackslashes(split.program);
    return split.quoted ? kQuote + program + kQuote : program;
}

std::wstring JoinCommandLine(const std::wstring& programText, const std::wstring& arguments)
{
    if (programText.empty())
        return {};
    return arguments.empty() ? programText : programText + kBlank + arguments;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

FolderText ParseFolderText(const std::wstring& typed)
{
    FolderText text{TrimBlanks(typed), false};
    if (StartsAndEndsWithQuote(text.folder)) {
        text.quoted = true;
        text.folder = TrimTrailingBlanks(text.folder.substr(1, text.folder.size() - 2));
    }
    return text;
}

std::wstring StoredFolderText(const FolderText& text)
{
    if (text.folder.empty())
        return {};
    return text.quoted ? kQuote + text.folder + kQuote : text.folder;
}

std::vector<std::wstring> ProgramExtensions(const std::wstring& pathext)
{
    const std::wstring list = pathext.empty() ? std::wstring(L".COM;.EXE;.BAT;.CMD") : pathext;
    std::vector<std::wstring> extensions;
    size_t start = 0;
    for (;;) {
        const size_t end = list.find(L';', start);
        std::wstring entry = list.substr(start, end == std::wstring::npos ? end : end - start);
        for (wchar_t& c : entry)
            if (c >= L'A' && c <= L'Z')
                c = static_cast<wchar_t>(c - L'A' + L'a');
        if (!entry.empty())
            extensions.push_back(std::move(entry));
        if (end == std::wstring::npos)
            return extensions;
        start = end + 1;
    }
}
