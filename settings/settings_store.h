#pragma once
// Where the settings are kept, and the one way in and out of them for every
// part of the program: the start, the pad's exit, the dialog's OK, Apply,
// export and import, and korvane.exe /export and /import.
//
// They are kept under the program's registry key, unless a settings file
// named korvane.settings.json stands beside korvane.exe as it starts: then
// they are kept in that file (a portable Korvane, carried on a stick or kept
// in a synced folder), and nothing is read from or written to the registry.
//
// The file is written the way an export writes one, whole and moved over the
// old one, under the settings lock, so that a process ended at any instant
// leaves the old file or the new. A file that cannot be read is never
// written over unless the user agrees: the settings are the defaults then.

#include <functional>
#include <initializer_list>
#include <string>

#include "settings/settings_record.h"

class cSettings;
class ShellCommands;

inline constexpr wchar_t kPortableSettingsFileName[] = L"korvane.settings.json";

// Start-up, before anything reads the settings (programFolder ends with a
// separator): the file beside the program, if it is there, keeps them from
// now on.
void ChooseSettingsPlace(const std::wstring& programFolder);
// Start-up, before the first text is read: the interface speaks the
// language the kept file chooses (the registry is not asked then).
void TakeKeptLanguageChoice();
// The file the settings are kept in; empty while they are in the registry.
const std::wstring& PortableSettingsFile();
// Whether the path names the file the settings are kept in.
bool IsPortableSettingsFile(const std::wstring& path);

// The reader's message about the file when the last read found that it
// cannot be read (the settings read were the defaults); empty otherwise.
const std::wstring& UnreadableSettingsFile();

// What LoadOptions and LoadList read from the registry, from where the
// settings are kept: the options when asked, and the lists named.
void LoadKept(cSettings& settings, bool options, std::initializer_list<const ShellCommands*> lists);
// Everything, as Load reads it.
void LoadKeptSettings(cSettings& settings);

struct KeptPlace {
    float x = 0.5f;  // fractions of the primary screen
    float y = 0.5f;
};
KeptPlace KeptPadPlace();

// Every kept setting, as a file carries it. Raises NumberedError, with the
// reader's message, for a file that cannot be read.
SettingsRecord KeptSettingsRecord();
// The settings, and the pad's place as kept, as a file carries them.
SettingsRecord RecordWithKeptPlace(cSettings& settings);

// Asked before a file that cannot be read is written over, with the reader's
// message; true lets the write go on.
using ReplaceUnreadable = std::function<bool(const std::wstring& problem)>;

// OK and Apply: the settings in place of the kept ones, the pad's place kept.
// False when the user kept an unreadable file; a failure raises NumberedError.
bool SaveKeptSettings(cSettings& settings, const ReplaceUnreadable& ask);
// An import: everything the record holds in place of the kept settings.
bool ReplaceKeptSettings(const SettingsRecord& record, const ReplaceUnreadable& ask);
// The pad's exit: the settings and its place, each part on its own where
// the registry keeps them. failure takes the text of the first failure while
// it is empty, but not again what the user has been told in this run (an
// unreadable file at the start, a file that could not be written).
void SaveKeptSettingsAtExit(cSettings& settings, KeptPlace centre, std::wstring& failure);
