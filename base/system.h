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
// The same with the text's %1 (the file the system speaks of) filled with
// insert; a text with other inserts keeps them and gets insert on a line of
// its own.
std::wstring LastErrorText(const std::wstring& insert);

// The full path of the running program's file.
std::wstring ProgramPath();
// The path as the system completes it from the current folder; the path
// itself when the system cannot.
std::wstring FullPath(const std::wstring& path);

// Whether the keyboard is the Japanese one (GetKeyboardType type 7), whose
// keys and their shifted characters differ from every other keyboard's.
bool JapaneseKeyboard();

// Text in the ANSI code page, for the boundary of the companion library.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// The text in the ANSI code page, or nothing when a character has no exact
// ANSI form (a substitute character would name another file).
std::optional<std::string> ExactAnsi(const std::wstring& text);

// The program's one message box: modal over owner (over no window when owner
// is not one), titled "Korvane" unless another caption is given; returns the
// button chosen (IDOK, IDYES, ...).
int MsgBox(const std::wstring& text, UINT style = MB_OK | MB_ICONEXCLAMATION, HWND owner = nullptr,
           const wchar_t* caption = L"Korvane");
