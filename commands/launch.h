#pragma once
// Opening a file or program through the shell, as commands and the command
// menu launch them.

#include <windows.h>

#include <string>

struct LaunchRequest {
    HWND owner = nullptr;
    std::wstring file;
    std::wstring parameters;  // none when empty
    std::wstring directory;   // none when empty
    int show = SW_SHOW;
};

// ShellExecuteEx with the verb "Open", environment references expanded by
// the shell and no error UI of its own. A shortcut that leads back to itself,
// or through too long a chain of shortcuts, is not opened. A failure is shown
// in a box titled "Error" with the system's text; the caller learns nothing
// of it.
void Launch(const LaunchRequest& request);
// The text with its %NAME% references expanded, as the shell expands them.
std::wstring ExpandEnvironment(const std::wstring& text);
// Loads the shell now, so that a launch that follows soon does not wait for it.
void PrepareLaunch();

// What the menu library answered in one of its 260-byte buffers, read no
// further than the buffer even when it holds no NUL.
std::wstring AnswerText(const char* buffer);
