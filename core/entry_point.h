#pragma once
// Start-up of the program and the values it fixes for the whole process.

#include <functional>
#include <memory>
#include <string>

#include "objlib/registry.h"

// The program's folder, always ending in a separator.
extern std::wstring AppFolder;
// True on the NT family from version 5 on, where windows can be layered.
extern bool LayeredWindowsAvailable;
// The settings the program runs with, created and loaded by start-up
// (core/settings.h); empty only if creating them failed.
class cSettings;
extern std::unique_ptr<cSettings> AppSettings;

inline constexpr wchar_t kProductKeyPath[] = L"Software\\Tessaly\\Korvane";
inline constexpr wchar_t kMakerKeyPath[] = L"Software\\Tessaly";
// Exists while an instance runs.
inline constexpr wchar_t kInstanceMutexName[] = L"Tessaly.Korvane.Instance";

// Where the running executable lives, as the platform reports it.
struct ProgramLocation {
    std::wstring folder;    // with or without a trailing separator
    std::wstring baseName;  // file name without its extension
};
ProgramLocation LocateProgram();

// The whole start-up; returns when the program is running (or when another
// instance already runs, after activating it). Its last step, showLauncher,
// makes and shows the launcher window, which lives above this library.
void Main(const std::function<void()>& showLauncher);

// Start-up from the point where the program knows it is the only instance.
// Every step that fails is skipped; start-up always goes on.
void StartUp(const ProgramLocation& location);

void MigrateSettings(RegistryKey& key);
void RemoveStaleProgramEntries();
