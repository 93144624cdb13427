// korvane_probe.exe: a program for the launching tests to start. It appends
// one record of how it was started (command line, current folder, show
// command) to the log that KORVANE_PROBE_LOG names, and ends. Started as
// "/window CLASS TITLE" it stands in for another program's window instead:
// shown until closed, or with "/deaf" after them, deaf to WM_CLOSE.

#include <windows.h>

#include <sstream>
#include <string>

#include "base/win_handles.h"
#include "tests/support/probe_format.h"

namespace {

bool deaf = false;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && deaf)
        return 0;
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int StandInWindow(std::wistringstream& words)
{
    std::wstring className, title, flag;
    words >> className >> title >> flag;
    deaf = flag == L"/deaf";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);
    if (!CreateWindowExW(0, className.c_str(), title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
        return 4;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    std::wistringstream words(arguments ? arguments : L"");
    std::wstring first;
    if (words >> first && first == L"/window")
        return StandInWindow(words);

    wchar_t logPath[MAX_PATH];
    const DWORD pathLength = GetEnvironmentVariableW(L"KORVANE_PROBE_LOG", logPath, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH)
        return 2;

    ProbeRecord record;
    record.commandLine = GetCommandLineW();
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    record.currentFolder = folder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    record.showWindowGiven = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    record.showWindow = startup.wShowWindow;
    const std::wstring line = EncodeProbeRecord(record);

    // Several probes may end at once: each appends its whole line in one write.
    for (int attempt = 0; attempt < 50; ++attempt) {
        UniqueKernelHandle log(CreateFileW(logPath, FILE_APPEND_DATA,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (log) {
            DWORD written = 0;
            const DWORD bytes = static_cast<DWORD>(line.size() * sizeof(wchar_t));
            return WriteFile(log.get(), line.data(), bytes, &written, nullptr) && written == bytes
                       ? 0
                       : 3;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(20);
    }
    return 3;
}
