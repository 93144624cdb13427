#pragma once
// Window procedures installed by subclassing. Both pass every message on,
// unchanged, to the procedure they replaced and return its answer; they only
// report what they saw.

#include <windows.h>

#include <functional>

namespace Win32CallBack {

// The launcher pad: WM_ACTIVATE is reported first (true unless WA_INACTIVE).
void HookPad(HWND pad, std::function<void(bool active)> activateChanged);
void UnhookPad();

// The hot-key control of the settings dialog: keyboard messages
// (WM_KEYDOWN .. WM_SYSDEADCHAR) are reported after the control handled them.
void HookHotKeyControl(HWND control, std::function<void()> hotKeyEdited);
void UnhookHotKeyControl();

}  // namespace Win32CallBack
