#pragma once
// The fields of the settings file's "options" and of each command, by name,
// for the file's writer and its reader alike. No Windows dependency.

#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include "settings/settings_record.h"

template <typename Record>
using FieldMember =
    std::variant<bool Record::*, std::int32_t Record::*, float Record::*, std::wstring Record::*>;

// The values a field may hold, as the program uses them: a number's least
// and greatest, and for the language a choice the program knows. Checked by
// the reader and the writer alike (CheckField raises SettingsFileError).
struct FieldLimits {
    std::int32_t least = std::numeric_limits<std::int32_t>::min();
    std::int32_t greatest = std::numeric_limits<std::int32_t>::max();
    bool language = false;  // "ja", "en" in any letter case, or empty
};

inline constexpr FieldLimits kAnyValue{};
inline constexpr FieldLimits kWindowStates{0, 3};         // automatic, normal, maximized, minimized
inline constexpr FieldLimits kDoubleClickActions{0, 3};   // none, desktop toggle, settings, exit
inline constexpr FieldLimits kHotKeys{0, 0x0FFF};         // virtual key, HOTKEYF_ flags above it
inline constexpr FieldLimits kLanguages{.language = true};

void CheckField(const FieldLimits& limits, std::int32_t value, const std::wstring& path);
void CheckField(const FieldLimits& limits, const std::wstring& text, const std::wstring& path);
// Numbers and truth values of any kind are all the field's type allows.
inline void CheckField(const FieldLimits&, bool, const std::wstring&) {}
inline void CheckField(const FieldLimits&, float, const std::wstring&) {}

template <typename Record>
struct NamedField {
    const char* name;
    FieldMember<Record> member;
    FieldLimits limits = kAnyValue;
};

// In the order a file holds them.
inline constexpr NamedField<SettingsRecord> kOptionFields[] = {
    {"popupStatus", &SettingsRecord::popupStatus},
    {"alwaysOnTop", &SettingsRecord::alwaysOnTop},
    {"doubleClickCommand", &SettingsRecord::doubleClickCommand, kDoubleClickActions},
    {"activeStyle", &SettingsRecord::activeStyle},
    {"hotKey", &SettingsRecord::hotKey, kHotKeys},
    {"swapButtons", &SettingsRecord::swapButtons},
    {"useCustomIcon", &SettingsRecord::useCustomIcon},
    {"customIconFile", &SettingsRecord::customIconFile},
    {"language", &SettingsRecord::language, kLanguages},
};

inline constexpr NamedField<SettingsRecord> kPositionFields[] = {
    {"x", &SettingsRecord::x},
    {"y", &SettingsRecord::y},
};

inline constexpr NamedField<CommandRecord> kCommandFields[] = {
    {"program", &CommandRecord::program},
    {"arguments", &CommandRecord::arguments},
    {"workingDirectory", &CommandRecord::workingDirectory},
    {"caption", &CommandRecord::caption},
    {"windowState", &CommandRecord::windowState, kWindowStates},
    {"setFocus", &CommandRecord::setFocus},
};
