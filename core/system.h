#pragma once
// Small services of the operating system that several parts of the program use.

#include <windows.h>

#include <optional>
#include <string>

// True when the path opens as an existing file for reading; never reports why not.
bool FileExists(const std::wstring& path);

// The system's text (with its trailing line break) for the calling thread's
// last error, or the empty string when the system has none.
std::wstring LastErrorText();

// Text in the ANSI code page, for the boundary of the companion library.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// The text in the ANSI code page, or nothing when a character has no exact
// ANSI form (a substitute character would name another file).
std::optional<std::string> ExactAnsi(const std::wstring& text);

// A message box titled "Korvane" with an OK button and the exclamation icon.
void ShowWarning(HWND owner, const std::wstring& text);
