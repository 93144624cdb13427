#pragma once
// The steps a user takes with korvane.exe, each as real X input followed by
// a wait for what it does: windows that appear, texts that change. Nothing
// here waits for a fixed time.

#include <windows.h>

#include <functional>
#include <string>

// How long one step may take before the journey fails.
inline constexpr DWORD kStepTimeoutMs = 20000;

// Dispatches messages until done() holds or a step's time is up.
bool Eventually(const std::function<bool()>& done);

// Left click on the centre of a window.
bool ClickOn(HWND window);
// Left click on a point of a window's client area.
bool ClickAt(HWND window, int x, int y);
// Replaces the text of the focused box by typing: select all, then type.
bool ReplaceTypedText(const std::wstring& text);
// Types into a box as a user does: a click, select all, the text; true once
// the box shows the text.
bool TypeInto(HWND box, const std::wstring& text);
// Presses keys, in xdotool's names ("Escape", "u").
bool PressKeys(const std::wstring& keys);

// The right button pressed on the pad's centre and moved by (dx, dy); the
// button stays down until ReleaseRightButton.
bool RightPressAndMoveFromPad(HWND pad, int dx, int dy);
bool ReleaseRightButton();
// The whole gesture in one: pressed on the pad's centre, moved, released.
bool RightGestureFromPad(HWND pad, int dx, int dy);
// The right button pressed and released over the pad: the command menu.
bool RightClickOnPad(HWND pad);

// The visible top-level window of this name, or null when none comes in time.
HWND WaitForNamedWindow(const std::wstring& name);
// Whether the top-level window of this name is gone or hidden in time.
bool WaitUntilNoNamedWindow(const std::wstring& name);
// The visible popup menu of a process, or null when none comes in time.
HWND WaitForPopupMenu(DWORD processId);
// Whether every popup menu of the process is closed in time.
bool WaitUntilNoPopupMenu(DWORD processId);

// Whether every key and button is up again in time. xdotool presses a key
// that is still down from the call before as nothing at all: wait for this
// between presses that follow one another quickly.
bool WaitForKeysUp();
// Whether the window holds the keyboard focus of its thread in time.
bool WaitForFocus(HWND window);
// Whether the status window shows this caption in time.
bool WaitForStatus(const std::wstring& caption);
// Whether the window shows this text in time.
bool WaitForText(HWND window, const std::wstring& text);
// Whether a check box or option button is in this state in time.
bool WaitForCheck(HWND button, bool checked);
