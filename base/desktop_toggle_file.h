#pragma once
// KORVANE.SCF: the shell command file whose opening toggles the desktop. It
// exists while the program runs, in the program's folder; where that folder
// refuses it (a standard user's program under Program Files), in the user's
// own folder of the program, Korvane under the local application data.

#include <string>

inline constexpr wchar_t kDesktopToggleFileName[] = L"KORVANE.SCF";

// Creates or overwrites the file in the folder; false when it could not be written.
bool WriteDesktopToggleFile(const std::wstring& folder);
// Deletes it, ignoring any failure.
void DeleteDesktopToggleFile(const std::wstring& folder);

// Start-up's step: writes the file into AppFolder, or into the user's folder
// when AppFolder refuses it, and remembers which folder took it.
void PlaceDesktopToggleFile();
// The folder that holds the file: the user's folder when start-up had to
// write it there, AppFolder otherwise (also when no folder took it).
std::wstring DesktopToggleFolder();
// The exit's step: deletes the file where start-up put it, and the user's
// folder with it when nothing else is left in there; ignores any failure.
void RemoveDesktopToggleFile();
