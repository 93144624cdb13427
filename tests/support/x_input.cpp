#include "tests/support/x_input.h"

#include "core/win_handles.h"

bool StartXdotool(const std::wstring& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"Z:\\usr\\bin\\xdotool\" " + arguments;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    // Wine runs a program of the machine outside its Windows processes: no
    // process handle comes back, and what stands in the thread handle's
    // place then is no handle of ours to close.
    if (info.hProcess) {
        UniqueKernelHandle process(info.hProcess);
        UniqueKernelHandle thread(info.hThread);
    }
    return true;
}

std::wstring ScreenPoint(int x, int y) { return std::to_wstring(x) + L" " + std::to_wstring(y); }

std::wstring CentreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return ScreenPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}
