#pragma once
// KORVANE.SCF: the shell command file whose opening toggles the desktop. It
// exists while the program runs.

#include <string>

inline constexpr wchar_t kDesktopToggleFileName[] = L"KORVANE.SCF";

// Creates or overwrites the file in the folder; false when it could not be written.
bool WriteDesktopToggleFile(const std::wstring& folder);
// Deletes it, ignoring any failure.
void DeleteDesktopToggleFile(const std::wstring& folder);
