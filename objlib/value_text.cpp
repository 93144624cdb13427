#include "objlib/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <limits>

namespace {

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

// The text as plain ASCII, or nothing when it holds any other character:
// the number parsers below work on char.
std::optional<std::string> Ascii(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == 0 || c > 0x7E)
            return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::optional<double> ParseDouble(const std::string& s)
{
    if (s.empty())
        return std::nullopt;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseHex(const std::string& digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseInt32Text(const std::wstring& text)
{
    const auto s = Ascii(Trimmed(text));
    if (!s)
        return std::nullopt;
    if (s->size() > 2 && (*s)[0] == '&' && ((*s)[1] == 'H' || (*s)[1] == 'h'))
        return ParseHex(s->substr(2));
    const auto d = ParseDouble(*s);
    if (!d || !std::isfinite(*d))
        return std::nullopt;
    const double rounded = std::nearbyint(*d);
    if (rounded != *d || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<bool> ParseBoolText(const std::wstring& text)
{
    std::wstring t = Trimmed(text);
    for (wchar_t& c : t)
        c = static_cast<wchar_t>(std::towlower(c));
    if (t == L"true")
        return true;
    if (t == L"false")
        return false;
    const auto s = Ascii(t);
    const auto d = s ? ParseDouble(*s) : std::nullopt;
    if (!d || std::isnan(*d))
        return std::nullopt;
    return *d != 0;
}

std::optional<float> ParseFloatText(const std::wstring& text)
{
    const auto s = Ascii(Trimmed(text));
    if (!s)
        return std::nullopt;
    const auto d = ParseDouble(*s);
    if (!d)
        return std::nullopt;
    // Out of the float range the value saturates instead of overflowing.
    if (*d > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (*d < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(*d);
}

// The fewest significant digits that read back as the same float; nine
// always do. (std::to_chars finds the same digits, but brings some 180 KB of
// tables into the program.)
std::wstring FormatFloatText(float value)
{
    char buffer[32] = "";
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
        const auto back = ParseDouble(buffer);
        if (back && static_cast<float>(*back) == value)
            break;
    }
    return std::wstring(buffer, buffer + std::strlen(buffer));
}
