#include "commands/captions.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring DeriveCaption(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (const size_t dot = name.rfind(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    if (name.size() >= 2 && !IsDigit(name.front()) && IsDigit(name.back())) {
        while (IsDigit(name.back()))
            name.pop_back();
    }
    return name;
}

std::wstring DisplayCaptionOf(const std::wstring& programText, const std::wstring& caption)
{
    if (programText.empty())
        return L"---";
    return caption.empty() ? L"(nameless)" : caption;
}
