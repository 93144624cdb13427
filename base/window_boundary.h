#pragma once
// The edge between the program's handlers and the system that calls them.
// No exception may cross a window procedure: the system's frames cannot
// unwind it and the process would end. A failure that reaches the edge is
// shown in one message box with its own text, and the program goes on.

#include <windows.h>

#include <string>

// The text of the exception being handled: a numbered error's description,
// or a general text. Call only inside a catch block.
std::wstring CurrentFailureText() noexcept;

// The text in a box titled "Korvane" over the window's top-level window;
// nothing while such a box is on show already.
void ShowFailure(HWND window, const std::wstring& text) noexcept;

// Runs the handling of one call from the system; a failure is shown over
// the window and the call answers `failed`.
template <typename Result, typename Handler>
Result AtWindowBoundary(HWND window, Result failed, Handler&& handler) noexcept
{
    std::wstring failure;
    try {
        return handler();
    } catch (...) {
        failure = CurrentFailureText();
    }
    ShowFailure(window, failure);
    return failed;
}
