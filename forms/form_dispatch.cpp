// Every message of every form: turned into the form's events, its controls'
// notifications and its keyboard interface's requests.

#include "forms/form.h"

#include <windowsx.h>

#include "base/win_handles.h"
#include "forms/control.h"
#include "forms/screen.h"
#include "forms/timer.h"
#include "forms/window_name.h"

namespace {

// Posted by a form's first paint to the form itself.
constexpr UINT kAfterFirstPaint = WM_USER + 0x100;
// Sent when a window has moved to a monitor of another resolution (Windows 8.1).
constexpr UINT kDpiChanged = 0x02E0;

int ButtonsHeld(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
           ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

BOOL CALLBACK ForgetChildName(HWND child, LPARAM)
{
    DetachWindowName(child);
    return TRUE;
}

}  // namespace

// Every message of every form passes here. A handler may unload its own form,
// so nothing below touches the form after an event has run.
LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = window_;
    WakeModalLoop(message, lParam);
    if (const std::optional<LRESULT> answer = Form_Message(message, wParam, lParam))
        return *answer;
    if (!controls_.empty()) {
        if (const std::optional<LRESULT> answer = DispatchControls(message, wParam, lParam))
            return *answer;
    }
    if (DispatchMouse(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(design_.backColor));
        return 1;
    }
    case WM_PAINT:
        Paint();
        if (!painted_) {
            painted_ = true;
            PostMessageW(window, kAfterFirstPaint, 0, 0);
        }
        return 0;
    case kAfterFirstPaint:
        AfterFirstPaint();
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        ScreenResolutionChanged();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (DispatchKey(message, wParam))
            return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Form_Deactivate();
        else
            Form_Activate();
        break;
    case WM_TIMER:
        for (Timer* timer : timers_) {
            if (timer->Id() == wParam) {
                timer->Tick();
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case kDpiChanged:
        // A form already laid out for its new monitor keeps its size.
        if (HIWORD(wParam) != dpi_)
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            Unload();
        return 0;
    case WM_SYSCOMMAND:
        // Without a title bar there is no menu to show: the Alt key alone
        // must not leave the window in an invisible menu mode.
        if ((wParam & 0xFFF0) == SC_KEYMENU && (design_.style & WS_CAPTION) != WS_CAPTION)
            return 0;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT || WaitPointerShown()) {
            SetCursor(CurrentFormPointer());
            return TRUE;
        }
        break;
    case WM_GETOBJECT:
        if (const std::optional<LRESULT> answer = AccessibleAnswer(window, wParam, lParam))
            return *answer;
        break;
    case WM_DESTROY:
        EnumChildWindows(window, ForgetChildName, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The messages of a form with controls: their notifications, the keyboard
// interface's requests, and the focus kept across deactivation.
std::optional<LRESULT> Form::DispatchControls(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam));
        if (control && &control->form_ == this && control->id_ == LOWORD(wParam)) {
            control->Command(HIWORD(wParam));
            return 0;
        }
        // Enter and Esc without a button of their own in reach.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            for (Control* button : controls_) {
                if (button->id_ == LOWORD(wParam) && button->window_ && IsWindowEnabled(button->window_)) {
                    button->Command(BN_CLICKED);
                    return 0;
                }
            }
        }
        return {};
    }
    case DM_GETDEFID:
        for (Control* button : controls_) {
            if (button->design_.isDefault)
                return MAKELRESULT(IDOK, DC_HASDEFID);
        }
        return 0;
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam))
            SetFocus(reinterpret_cast<HWND>(wParam));
        else
            FocusNext(wParam != 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
            Form_Deactivate();
            return 0;
        }
        if (!HIWORD(wParam)) {
            HWND target = lastFocus_;
            if (!target || !IsWindow(target) || !IsChild(window_, target)) {
                const Control* first = NextTabStop(nullptr, false);
                target = first ? first->window_ : nullptr;
            }
            SetFocus(target ? target : window_);
            Form_Activate();
            return 0;
        }
        return {};
    default:
        return {};
    }
}

bool Form::DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    int pressed = 0;
    int released = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        break;
    case WM_LBUTTONDOWN:
        pressed = kLeftButton;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        pressed = kRightButton;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        pressed = kMiddleButton;
        break;
    case WM_LBUTTONUP:
        released = kLeftButton;
        break;
    case WM_RBUTTONUP:
        released = kRightButton;
        break;
    case WM_MBUTTONUP:
        released = kMiddleButton;
        break;
    case WM_LBUTTONDBLCLK:
        // The button is held until its release, like after any press.
        SetCapture(window_);
        Form_DblClick();
        return true;
    default:
        return false;
    }
    // The pointer stays with the form from a press until the last button is up.
    if (pressed)
        SetCapture(window_);
    if (released && ButtonsHeld(wParam) == 0 && GetCapture() == window_)
        ReleaseCapture();

    const int shift = ShiftOfMouse(wParam);
    const float x = ToScale(GET_X_LPARAM(lParam), TwipsPerPixelX());
    const float y = ToScale(GET_Y_LPARAM(lParam), TwipsPerPixelY());
    if (pressed)
        Form_MouseDown(pressed, shift, x, y);
    else if (released)
        Form_MouseUp(released, shift, x, y);
    else
        Form_MouseMove(ButtonsHeld(wParam), shift, x, y);
    return true;
}

// True when the key is the form's alone; system keys other than F10 then go
// on to the default handling (Alt+F4 closes the form).
bool Form::DispatchKey(UINT message, WPARAM wParam)
{
    const int keyCode = static_cast<int>(wParam);
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        Form_KeyDown(keyCode, ShiftKeysDown());
    else
        Form_KeyUp(keyCode, ShiftKeysDown());
    return message == WM_KEYDOWN || message == WM_KEYUP || keyCode == VK_F10;
}

void Form::Paint()
{
    const PaintDc paint(window_);
    picture_.Draw(paint.get(), 0, 0);
    Form_Paint(paint.get());
}
