#pragma once
// Conversions between registry text and typed values. A text that does not
// hold a value of the wanted type gives nothing, and the caller's default
// stands in for it.

#include <cstdint>
#include <optional>
#include <string>

// Decimal (blanks around it allowed, an integral-valued fraction or exponent
// too) or "&H" hexadecimal; nothing outside the 32-bit range.
std::optional<std::int32_t> ParseInt32Text(const std::wstring& text);
// "True"/"False" in any letter case, or a number (non-zero is true).
std::optional<bool> ParseBoolText(const std::wstring& text);
// Invariant form: "0.5", "1e-3"; also "nan" and "inf", which callers screen.
std::optional<float> ParseFloatText(const std::wstring& text);
// The shortest invariant text that reads back as the same float.
std::wstring FormatFloatText(float value);
