#pragma once
// Export and import: every setting of the current user to and from a
// settings file (settings/settings_file.h), for backups and for moving to
// another PC. Failures raise NumberedError with the message for the user,
// which names the file and what went wrong.

#include <string>

#include "settings/settings_record.h"

class cSettings;

// Every setting stored under the program's key, as a file carries it; an
// absent value reads as its default.
SettingsRecord StoredSettings();
// The settings as a file carries them, with the pad's place as stored.
SettingsRecord RecordOf(cSettings& settings);

// Writes the settings into the file, in one step: when writing fails, a
// file that was there stays as it was.
void ExportSettings(const std::wstring& fileName, const SettingsRecord& settings);

// The settings a file holds, read and checked whole before any is used.
SettingsRecord ReadSettingsFrom(const std::wstring& fileName);

// Replaces every stored setting by the record's, the command lists whole.
void ImportSettings(const SettingsRecord& settings);
