#pragma once
// The launcher's system-wide activation hot key.
//
// The code is the hot-key control's encoding: low byte the virtual key, high
// byte HOTKEYF_SHIFT/CONTROL/ALT/EXT. Where the platform answers WM_SETHOTKEY
// with 0 for a valid window (it does not implement the message), the same
// combination is registered with RegisterHotKey instead and the window is
// activated on WM_HOTKEY, which the window passes to HandleHotKeyMessage.

#include <windows.h>

#include <cstdint>

// The id of the registration that stands in for WM_SETHOTKEY (WM_HOTKEY's wParam).
inline constexpr int kHotKeyId = 0x4B56;

// Assigns (code 0: removes) the window's hot key. Every failure is reported to
// the user in a message box and gives false.
bool SetHotKey(HWND window, std::int32_t code);

// The hot key the window holds now, however it was assigned; 0 for none.
std::int32_t HotKeyOf(HWND window);

// Activates the window for its registered hot key; true when the message was that.
bool HandleHotKeyMessage(HWND window, UINT message, WPARAM wParam);
