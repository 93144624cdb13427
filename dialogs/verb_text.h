#pragma once
// How a shell verb of a file type is shown and what program it names. No
// Windows dependency: also built natively and checked with sanitizers.

#include <cstdint>
#include <optional>
#include <string>

// The text a verb is listed by: its display name without access-key
// ampersands ("印刷(&P)" -> "印刷(P)"), or the verb's key name when it has no
// display name. A tab would split the list line in the wrong place, so it is
// shown as a blank.
std::wstring VerbLabel(const std::wstring& caption, const std::wstring& verb);

// The program of a command line: a leading quoted path with both quotes
// ("\"C:\\a b\\x.exe\" %1" -> "\"C:\\a b\\x.exe\""), otherwise everything up
// to the first blank. Empty when the line is empty or starts with a blank.
std::wstring ProgramPart(const std::wstring& commandLine);

// The extension a class key's name registers, without its dot; nothing for a
// name that does not start with ".".
std::optional<std::wstring> ExtensionOfKeyName(const std::wstring& keyName);

// One list line: label, tab, program; and the program back from a line.
std::wstring VerbListLine(const std::wstring& label, const std::wstring& program);
std::wstring TextAfterFirstTab(const std::wstring& line);

// The list's one tab stop in dialog units for the widest label in pixels, and
// the horizontal extent in pixels that shows the widest label and program.
std::int32_t VerbTabStop(std::int32_t maxLabelPixels);
std::int32_t VerbListExtent(std::int32_t maxLabelPixels, std::int32_t maxProgramPixels);
