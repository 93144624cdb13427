#include "base/utf8_text.h"

#include <cstdint>

namespace {

// Decodes the sequence at bytes[at]; its length, or 0 when it is not
// well-formed.
std::size_t DecodeAt(std::string_view bytes, std::size_t at, char32_t& out)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(at);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length;
    char32_t lowest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, lowest = 0x80, out = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, lowest = 0x800, out = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, lowest = 0x10000, out = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        out = (out << 6) | (byte(at + i) & 0x3F);
    }
    if (out < lowest || out > 0x10FFFF || (out >= 0xD800 && out <= 0xDFFF))
        return 0;
    return length;
}

void AppendWide(std::wstring& text, char32_t c)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (c >> 10));
            text += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    text += static_cast<wchar_t>(c);
}

// Characters beyond U+FFFF take two units, where wchar_t holds them in one.
template <typename Char>
std::size_t Utf16LengthOf(std::basic_string_view<Char> text)
{
    std::size_t length = text.size();
    if constexpr (sizeof(Char) > 2) {
        for (const Char c : text)
            length += c >= 0x10000 ? 1 : 0;
    }
    return length;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::optional<std::size_t> FindInvalidUtf8(std::string_view bytes)
{
    char32_t c;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = DecodeAt(bytes, at, c);
        if (length == 0)
            return at;
        at += length;
    }
    return std::nullopt;
}

std::optional<std::wstring> WideFromUtf8(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    char32_t c;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = DecodeAt(bytes, at, c);
        if (length == 0)
            return std::nullopt;
        AppendWide(text, c);
        at += length;
    }
    return text;
}

std::optional<std::string> Utf8FromWide(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
            return std::nullopt;
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::size_t Utf16Length(std::wstring_view text) { return Utf16LengthOf(text); }
