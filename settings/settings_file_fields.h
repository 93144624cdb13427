#pragma once
// The fields of the settings file's "options" and of each command, by name,
// for the file's writer and its reader alike. No Windows dependency.

#include <cstdint>
#include <string>
#include <variant>

#include "settings/settings_record.h"

template <typename Record>
using FieldMember =
    std::variant<bool Record::*, std::int32_t Record::*, float Record::*, std::wstring Record::*>;

template <typename Record>
struct NamedField {
    const char* name;
    FieldMember<Record> member;
};

// In the order a file holds them.
inline constexpr NamedField<SettingsRecord> kOptionFields[] = {
    {"popupStatus", &SettingsRecord::popupStatus},
    {"alwaysOnTop", &SettingsRecord::alwaysOnTop},
    {"doubleClickCommand", &SettingsRecord::doubleClickCommand},
    {"activeStyle", &SettingsRecord::activeStyle},
    {"hotKey", &SettingsRecord::hotKey},
    {"swapButtons", &SettingsRecord::swapButtons},
    {"useCustomIcon", &SettingsRecord::useCustomIcon},
    {"customIconFile", &SettingsRecord::customIconFile},
    {"language", &SettingsRecord::language},
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
    {"windowState", &CommandRecord::windowState},
    {"setFocus", &CommandRecord::setFocus},
};
