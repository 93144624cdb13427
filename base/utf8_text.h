#pragma once
// UTF-8 bytes and the program's wide text, which is UTF-16 on Windows (and
// UTF-32 where wchar_t is 32 bits, as in the native build of the rules).
// Only well-formed text passes: no overlong forms, no surrogates, nothing
// above U+10FFFF. No Windows dependency.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The offset of the first byte that does not start a well-formed sequence,
// or nothing when all of bytes is well-formed UTF-8.
std::optional<std::size_t> FindInvalidUtf8(std::string_view bytes);

// The characters of bytes as wide text; nothing when they are not
// well-formed UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view bytes);

// The text as UTF-8; nothing when it holds a surrogate that has no partner.
std::optional<std::string> Utf8FromWide(std::wstring_view text);

// How many UTF-16 code units the text takes, as Windows counts its length.
std::size_t Utf16Length(std::wstring_view text);
