#include "tests/support/user_steps.h"

#include "forms/window_name.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_query.h"
#include "tests/support/x_input.h"

namespace {

// An argument as the command-line splitter of the started program reads it
// back: in double quotes, with quotes and the backslashes before them escaped.
std::wstring QuotedArgument(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchPopupMenu(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<MenuSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && ClassOf(window) == L"#32768" && IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisiblePopupMenu(DWORD processId)
{
    MenuSearch search{processId, nullptr};
    EnumWindows(MatchPopupMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleNamedWindow(const std::wstring& name)
{
    const HWND window = FindNamedWindow(name);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// xdotool's words for the right button pressed on the pad's centre and
// moved by (dx, dy).
std::wstring RightPressAndMove(HWND pad, int dx, int dy)
{
    RECT rect{};
    GetWindowRect(pad, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    return L"mousemove " + ScreenPoint(x, y) + L" mousedown 3 mousemove " +
           ScreenPoint(x + dx, y + dy);
}

}  // namespace

bool Eventually(const std::function<bool()>& done) { return PumpUntil(done, kStepTimeoutMs); }

bool ClickAt(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return StartXdotool(L"mousemove " + ScreenPoint(point.x, point.y) + L" click 1");
}

bool ClickOn(HWND window) { return StartXdotool(L"mousemove " + CentreOf(window) + L" click 1"); }

bool ReplaceTypedText(const std::wstring& text)
{
    return StartXdotool(L"key End shift+Home type " + QuotedArgument(text));
}

bool TypeInto(HWND box, const std::wstring& text)
{
    return ClickOn(box) && WaitForFocus(box) && ReplaceTypedText(text) && WaitForText(box, text);
}

bool PressKeys(const std::wstring& keys) { return StartXdotool(L"key " + keys); }

bool RightPressAndMoveFromPad(HWND pad, int dx, int dy)
{
    return StartXdotool(RightPressAndMove(pad, dx, dy));
}

bool ReleaseRightButton() { return StartXdotool(L"mouseup 3"); }

bool RightGestureFromPad(HWND pad, int dx, int dy)
{
    return StartXdotool(RightPressAndMove(pad, dx, dy) + L" mouseup 3");
}

bool RightClickOnPad(HWND pad) { return StartXdotool(L"mousemove " + CentreOf(pad) + L" click 3"); }

HWND WaitForNamedWindow(const std::wstring& name)
{
    HWND window = nullptr;
    Eventually([&] { return (window = VisibleNamedWindow(name)) != nullptr; });
    return window;
}

bool WaitUntilNoNamedWindow(const std::wstring& name)
{
    return Eventually([&] { return VisibleNamedWindow(name) == nullptr; });
}

HWND WaitForPopupMenu(DWORD processId)
{
    HWND menu = nullptr;
    Eventually([&] { return (menu = VisiblePopupMenu(processId)) != nullptr; });
    return menu;
}

bool WaitUntilNoPopupMenu(DWORD processId)
{
    return Eventually([&] { return VisiblePopupMenu(processId) == nullptr; });
}

bool WaitForKeysUp()
{
    return Eventually([] {
        for (int key = VK_LBUTTON; key <= VK_OEM_CLEAR; ++key) {
            if (GetAsyncKeyState(key) < 0)
                return false;
        }
        return true;
    });
}

bool WaitForFocus(HWND window)
{
    return Eventually([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
               info.hwndFocus == window;
    });
}

bool WaitForStatus(const std::wstring& caption)
{
    return Eventually([&] {
        const HWND status = VisibleNamedWindow(L"cPopupStatus");
        return status && TextOf(ChildNamed(status, L"lblInfo")) == caption;
    });
}

bool WaitForText(HWND window, const std::wstring& text)
{
    return Eventually([&] { return TextOf(window) == text; });
}

bool WaitForCheck(HWND button, bool checked)
{
    const LRESULT wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    return Eventually([&] { return SendMessageW(button, BM_GETCHECK, 0, 0) == wanted; });
}
