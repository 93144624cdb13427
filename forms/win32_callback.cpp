#include "forms/win32_callback.h"

#include "base/window_boundary.h"

namespace Win32CallBack {
namespace {

struct Hook {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
};

Hook padHook;
std::function<void(bool)> padActivateChanged;
Hook hotKeyHook;
std::function<void()> hotKeyEdited;

// A failing report is shown where the hook stands; the message still
// reaches the window's own procedure.
LRESULT CALLBACK PadProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE && padActivateChanged) {
        AtWindowBoundary(hwnd, 0, [&] {
            padActivateChanged(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        });
    }
    return CallWindowProcW(padHook.previous, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HotKeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(hotKeyHook.previous, hwnd, message, wParam, lParam);
    if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR && hotKeyEdited) {
        AtWindowBoundary(hwnd, 0, [&] {
            hotKeyEdited();
            return 0;
        });
    }
    return result;
}

void Install(Hook& hook, HWND window, WNDPROC procedure)
{
    hook.window = window;
    hook.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void Remove(Hook& hook)
{
    if (hook.window && IsWindow(hook.window))
        SetWindowLongPtrW(hook.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
    hook = Hook{};
}

}  // namespace

void HookPad(HWND pad, std::function<void(bool)> activateChanged)
{
    padActivateChanged = std::move(activateChanged);
    Install(padHook, pad, PadProc);
}

void UnhookPad()
{
    Remove(padHook);
    padActivateChanged = nullptr;
}

void HookHotKeyControl(HWND control, std::function<void()> edited)
{
    hotKeyEdited = std::move(edited);
    Install(hotKeyHook, control, HotKeyProc);
}

void UnhookHotKeyControl()
{
    Remove(hotKeyHook);
    hotKeyEdited = nullptr;
}

}  // namespace Win32CallBack
