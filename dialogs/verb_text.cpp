#include "dialogs/verb_text.h"

#include <cmath>

std::wstring VerbLabel(const std::wstring& caption, const std::wstring& verb)
{
    if (caption.empty())
        return verb;
    std::wstring label;
    label.reserve(caption.size());
    for (wchar_t c : caption) {
        if (c == L'&')
            continue;
        label.push_back(c == L'\t' ? L' ' : c);
    }
    return label;
}

std::wstring ProgramPart(const std::wstring& commandLine)
{
    if (!commandLine.empty() && commandLine.front() == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        if (close != std::wstring::npos)
            return commandLine.substr(0, close + 1);
    }
    return commandLine.substr(0, commandLine.find(L' '));
}

std::optional<std::wstring> ExtensionOfKeyName(const std::wstring& keyName)
{
    if (keyName.empty() || keyName.front() != L'.')
        return std::nullopt;
    return keyName.substr(1);
}

std::wstring VerbListLine(const std::wstring& label, const std::wstring& program)
{
    return label + L'\t' + program;
}

std::wstring TextAfterFirstTab(const std::wstring& line)
{
    const size_t tab = line.find(L'\t');
    return tab == std::wstring::npos ? std::wstring() : line.substr(tab + 1);
}

std::int32_t VerbTabStop(std::int32_t maxLabelPixels)
{
    // Dialog units of the list's font are about 0.575 of a pixel here; the
    // stop leaves 8 pixels after the widest label.
    return static_cast<std::int32_t>(std::lround((static_cast<double>(maxLabelPixels) + 8) * 0.575));
}

std::int32_t VerbListExtent(std::int32_t maxLabelPixels, std::int32_t maxProgramPixels)
{
    return maxLabelPixels + maxProgramPixels + 8;
}
