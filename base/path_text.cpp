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
