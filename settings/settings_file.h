#pragma once
// The settings file: the text it holds, and the checks a file passes before
// anything of it is used. No Windows dependency.
//
// A settings file is one JSON object in UTF-8 (the README describes it
// field by field):
//
//   { "format": "Korvane settings", "version": 1,
//     "options": { ... }, "position": { "x": 0.5, "y": 0.5 },
//     "drags": { "Upward": {command}, ... }, "keys": { "A": {command}, ... },
//     "menus": [ {command}, ... ] }
//
// A file of another version, or one that breaks a rule anywhere, is refused
// whole. Everything but "format" and "version" may be left out and then
// takes the value an absent registry value reads as; a drag or key slot left
// out is empty.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

inline constexpr wchar_t kSettingsFileExtension[] = L".korvane.json";
inline constexpr char kSettingsFileFormat[] = "Korvane settings";
inline constexpr std::int32_t kSettingsFileVersion = 1;

// What a file may hold. The size is checked before the file is read; the
// other two hold for what is written as for what is read.
inline constexpr std::size_t kSettingsFileMaxBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kSettingsFileMaxMenus = 10000;
inline constexpr std::size_t kSettingsFileMaxText = 32767;  // UTF-16 units of one text

// Raises NumberedError kErrInvalidValue for a file of more bytes than a
// settings file may have.
void CheckSettingsFileSize(std::uint64_t bytes);

// The file's text: UTF-8, two blanks of indentation, CRLF line ends. A
// command slot whose fields all hold their defaults is left out. Raises
// NumberedError kErrInvalidValue, naming the field, for settings that break
// a limit, so that every file written can be read back.
std::string WriteSettingsFile(const SettingsRecord& settings);

// The settings a file's text holds. Raises NumberedError kErrInvalidValue
// with one message that says what is wrong and where (a line and column, or
// the path of the field such as menus[2].caption).
SettingsRecord ReadSettingsFile(std::string_view text);
