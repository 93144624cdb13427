#pragma once
// What the shell does to the program's windows, done from a test: dragging
// a file from Explorer and answering the file and folder dialogs.

#include <windows.h>

#include <string>

// Drags the shell's own data object for a file (as Explorer offers it) to
// the middle of the window and drops it there; true when the window took it
// as a copy.
bool DragFileOnto(HWND target, const std::wstring& file);

// Selects the folder in the open folder browser titled title and confirms
// it; false when no such browser is on show yet or it cannot select the
// folder yet.
bool ConfirmFolderBrowser(const std::wstring& title, const std::wstring& folder);

// Types the path into the file dialog titled title and confirms it; false
// when no such dialog is on show yet.
bool ConfirmFileDialog(const std::wstring& title, const std::wstring& path);
