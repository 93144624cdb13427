#include "menulib/answer_text.h"

#include "base/system.h"

std::optional<std::string> ExactAnsi(const std::wstring& text)
{
    std::string ansi = ToAnsi(text);
    // Best-fit mappings (é -> e) and the default character both change the
    // text; only a round trip tells them from a faithful conversion.
    if (FromAnsi(ansi) != text)
        return std::nullopt;
    return ansi;
}
