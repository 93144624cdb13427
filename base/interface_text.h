#pragma once
// The texts the user reads, by their number in the string tables of the
// module this code is linked into (resources/texts.rc), in the language the
// interface speaks, and the face its forms and popups set them in.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/language_choice.h"
#include "resources/text_ids.h"

// The language of this process: chosen when first asked, then kept, so that
// every window of one run speaks the same language.
InterfaceLanguage CurrentLanguage();

// The choice as the user's "Language" value and Windows make it now.
InterfaceLanguage ReadLanguageChoice();
// Where the settings are kept in a file instead of the registry, start-up
// hands over the choice the file holds (nothing to follow Windows) before
// the first text is read; the registry is not asked then.
void TakeLanguageChoice(std::optional<std::wstring> stored);

// The text of that number; empty when the table has none.
std::wstring UiText(UINT id);
// The text with its "%1", "%2" ... filled in.
std::wstring UiText(UINT id, std::initializer_list<std::wstring_view> values);

// ＭＳ Ｐゴシック in Japanese; elsewhere the system's message font
// (SPI_GETNONCLIENTMETRICS), which has the characters of the user's language.
std::wstring InterfaceFontFace();
// The character set a font of that face is asked for in.
BYTE InterfaceCharset();
