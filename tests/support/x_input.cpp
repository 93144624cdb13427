#include "tests/support/x_input.h"

#include "base/win_handles.h"
#include "tests/support/sandbox.h"

bool StartXdotool(const std::wstring& arguments)
{
    return StartUnixProgram(L"Z:\\usr\\bin\\xdotool", arguments);
}

std::wstring ScreenPoint(int x, int y) { return std::to_wstring(x) + L" " + std::to_wstring(y); }

std::wstring CentreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return ScreenPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}
