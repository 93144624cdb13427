#include "base/path_text.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

bool IsQuoted(const std::wstring& text)
{
    return text.size() >= 2 && text.front() == L'"' && text.back() == L'"';
}

bool EndsWithSeparator(const std::wstring& text)
{
    return !text.empty() && IsSeparator(text.back());
}

bool IsFullPath(const std::wstring& path)
{
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return true;
    const bool driveLetter =
        !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    return driveLetter && path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
}

std::wstring RemoveTrailingSeparator(const std::wstring& path)
{
    const size_t n = path.size();
    if (n >= 3 && path.front() == L'"' && path.back() == L'"' && IsSeparator(path[n - 2]))
        return path.substr(0, n - 2) + L'"';
    if (EndsWithSeparator(path))
        return path.substr(0, n - 1);
    return path;
}

std::wstring Unquote(const std::wstring& text)
{
    return IsQuoted(text) ? text.substr(1, text.size() - 2) : text;
}

std::wstring QuoteIfSpaced(const std::wstring& path)
{
    if (path.find(L' ') == std::wstring::npos || IsQuoted(path))
        return path;
    return L'"' + path + L'"';
}
