#pragma once
// Start-up of the program and the values it fixes for the whole process.

#include <functional>
#include <string>

#include "objlib/registry.h"

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
// makes and shows the launcher window, which lives above this library; the
// launcher calls LoadCommandLists once it has been painted.
void Main(const std::function<void()>& showLauncher);

// Once the pad has gone and saved what it keeps: a new start need not wait
// for this process to end.
void ReleaseInstanceLock();

// Start-up from the point where the program knows it is the only instance:
// StartUpToLauncher, then LoadCommandLists. Every step that fails is
// skipped; start-up always goes on.
void StartUp(const ProgramLocation& location);
// What comes before the launcher: the program-wide values, the command file,
// the migration and clean-up of the registry, and the settings with their
// options.
void StartUpToLauncher(const ProgramLocation& location);
// The settings' command lists, which the launcher does not need to show
// itself; a failure leaves the lists as they were.
void LoadCommandLists();

void MigrateSettings(RegistryKey& key);
void RemoveStaleProgramEntries();
