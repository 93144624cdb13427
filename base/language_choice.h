#pragma once
// Which language the interface speaks, and how a text of the string tables
// takes the values it names. No window system needed.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

enum class InterfaceLanguage { Japanese, English };

// The user's choice under the program's key: "ja" or "en" (any letter case);
// no value or any other text follows Windows.
inline constexpr wchar_t kLanguageValueName[] = L"Language";

// The language a stored choice names; nothing when it follows Windows.
std::optional<InterfaceLanguage> StoredLanguage(const std::optional<std::wstring>& stored);

// stored: the text of the user's choice, nothing when there is none;
// windowsJapanese: whether Windows' user-interface language is Japanese.
InterfaceLanguage ChooseLanguage(const std::optional<std::wstring>& stored, bool windowsJapanese);

// The text with "%1", "%2" ... replaced by the first, second ... value, in one
// pass: a value that itself holds "%1" is kept as it is.
std::wstring FillIn(std::wstring_view text, std::initializer_list<std::wstring_view> values);
