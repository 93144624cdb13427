#include "base/language_choice.h"

#include <algorithm>
#include <cwctype>

namespace {

bool SameLetters(const std::wstring& text, std::wstring_view lower)
{
    return text.size() == lower.size() &&
           std::equal(text.begin(), text.end(), lower.begin(),
                      [](wchar_t a, wchar_t b) { return static_cast<wchar_t>(std::towlower(a)) == b; });
}

}  // namespace

std::optional<InterfaceLanguage> StoredLanguage(const std::optional<std::wstring>& stored)
{
    if (stored && SameLetters(*stored, L"ja"))
        return InterfaceLanguage::Japanese;
    if (stored && SameLetters(*stored, L"en"))
        return InterfaceLanguage::English;
    return std::nullopt;
}

InterfaceLanguage ChooseLanguage(const std::optional<std::wstring>& stored, bool windowsJapanese)
{
    return StoredLanguage(stored).value_or(windowsJapanese ? InterfaceLanguage::Japanese
                                                           : InterfaceLanguage::English);
}

std::wstring FillIn(std::wstring_view text, std::initializer_list<std::wstring_view> values)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool marker = text[i] == L'%' && i + 1 < text.size() && text[i + 1] >= L'1' &&
                            text[i + 1] <= L'9';
        const std::size_t index = marker ? static_cast<std::size_t>(text[i + 1] - L'1') : 0;
        if (marker && index < values.size()) {
            out += values.begin()[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
