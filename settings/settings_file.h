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
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"

inline constexpr wchar_t kSettingsFileExtension[] = L".korvane.json";
inline constexpr char kSettingsFileFormat[] = "Korvane settings";
inline constexpr std::int32_t kSettingsFileVersion = 1;

// What a file may hold, for what is written as for what is read; the size
// of a file is checked before it is read.
inline constexpr std::size_t kSettingsFileMaxBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kSettingsFileMaxMenus = 10000;
inline constexpr std::size_t kSettingsFileMaxText = 32767;  // UTF-16 units of one text

// What is wrong with a file, and the values its message names, in this
// order. Where is a line and a column, or the path of a field such as
// menus[2].caption. The messages are string tables' texts, numbered in
// this order from the first.
enum class SettingsFileProblem {
    TooLarge,        // the limit in MB
    Empty,
    CutShort,        // where the text ends
    NotJson,         // where
    BadUtf8,         // where
    NulByte,         // where
    NotSettings,     // the format text it must hold
    NoVersion,
    VersionNotInteger,
    UnknownVersion,  // the version, the version this program reads
    UnknownField,    // its path
    Twice,           // its path
    NotBoolean,      // the field's path
    NotInteger,      // the field's path
    NotNumber,       // the field's path
    NotText,         // the field's path
    NotObject,       // the field's path
    NotArray,        // the field's path
    OutOfRange,      // the field's path, the value, the least and the greatest it may be
    TooLargeNumber,  // the field's path, the value
    NulInText,       // the field's path
    TextTooLong,     // the field's path, the limit
    TooManyMenus,    // the limit
    BadUtf16,        // the field's path (only in what is written)
    NotALanguage,    // the field's path, the text
};

class SettingsFileError : public std::exception {
public:
    SettingsFileError(SettingsFileProblem problem, std::vector<std::wstring> values)
        : problem_(problem), values_(std::move(values)) {}
    SettingsFileProblem Problem() const noexcept { return problem_; }
    const std::vector<std::wstring>& Values() const noexcept { return values_; }
    const char* what() const noexcept override { return "Korvane settings file problem"; }

private:
    SettingsFileProblem problem_;
    std::vector<std::wstring> values_;
};

// Raises SettingsFileError for a file of more bytes than a settings file
// may have.
void CheckSettingsFileSize(std::uint64_t bytes);

// The file's text: UTF-8, two blanks of indentation, CRLF line ends. A
// command slot whose fields all hold their defaults is left out. Raises
// SettingsFileError for settings that break a limit or hold a value out of
// its range, with the reader's problem, so that every file written can be
// read back.
std::string WriteSettingsFile(const SettingsRecord& settings);

// The settings a file's text holds. Raises SettingsFileError at the first
// thing that is wrong.
SettingsRecord ReadSettingsFile(std::string_view text);
