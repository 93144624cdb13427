#pragma once
// The floor of a gesture's release: a bare window that, when its held button
// goes up, does exactly what any launch from a release must and nothing else:
// releases the pointer capture, shows the wait pointer, hides a popup with a
// label that is on show, and calls the shell. It finds the shell's entry
// through GetProcAddress, as the program does, so that the recorder which
// catches the program's launch catches this one too.

#include <windows.h>
#include <shellapi.h>

#include "base/win_handles.h"

class BareRelease {
public:
    BareRelease();
    BareRelease(const BareRelease&) = delete;
    BareRelease& operator=(const BareRelease&) = delete;

    // The popup on show and painted, then the button down on the window,
    // which takes the pointer.
    void Press();
    // The button up; returns once the shell has been called.
    void Release();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Launch();

    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    ShellExecuteExFn shellExecute_ = nullptr;
    UniqueModule shell_;
    UniqueWindow window_;
    UniqueWindow popup_;
    HWND label_ = nullptr;
};
