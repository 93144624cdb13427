#pragma once
// Export and import: every setting of the current user to and from a
// settings file (settings/settings_file.h), for backups and for moving to
// another PC. Failures raise NumberedError with the message for the user,
// which names the file and what went wrong.

#include <windows.h>

#include <string>

#include "resources/text_ids.h"
#include "settings/settings_record.h"

class cSettings;

class ShellCommands;

// Every setting stored under the program's key, as a file carries it; an
// absent value reads as its default.
SettingsRecord StoredSettings();
// The settings as a file carries them, the pad's place at the record's
// default (the caller knows where it is kept).
SettingsRecord RecordOf(cSettings& settings);
// The pad's place as stored under the program's key.
void TakeStoredPlace(SettingsRecord& record);

// What LoadOptions and LoadList read from the registry, from a record: the
// options, or one of the settings' lists, whose commands keep their objects.
void TakeOptions(const SettingsRecord& record, cSettings& settings);
void TakeList(const SettingsRecord& record, cSettings& settings, const ShellCommands& list);

// Writes the settings into the file, in one step: when writing fails, a
// file that was there stays as it was. The failure's message starts with
// the text of that number, which names the file as %1.
void ExportSettings(const std::wstring& fileName, const SettingsRecord& settings,
                    UINT failureText = IDS_SETTINGS_NOT_EXPORTED);

// The settings a file holds, read and checked whole before any is used.
SettingsRecord ReadSettingsFrom(const std::wstring& fileName);

// Replaces every stored setting by the record's, the command lists whole.
void ImportSettings(const SettingsRecord& settings);
