#pragma once
// korvane.exe /export FILE and /import FILE: the current user's settings
// written to or read from a settings file, without the pad.

#include <string>

enum class TransferDirection { Export, Import };

// 0 when done; 1 when not, after one message box that says why (none when
// quiet). An import is refused while a pad runs: the pad would save its
// own settings over the imported ones when it ends. Each waits for a save
// or an import of another process to be switched over.
int RunSettingsTransfer(TransferDirection direction, const std::wstring& fileName, bool quiet);
