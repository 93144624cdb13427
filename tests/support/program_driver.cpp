#include "tests/support/program_driver.h"

#include "forms/window_name.h"
#include "tests/support/message_pump.h"

namespace {

struct ProcessWindows {
    DWORD processId;  // 0: any process
    const std::wstring* name;
    const wchar_t* className;  // null: any class
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<ProcessWindows*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner != search.processId)
        return TRUE;
    if (!search.name->empty() && WindowNameOf(window) != *search.name)
        return TRUE;
    if (search.className) {
        wchar_t cls[32];
        GetClassNameW(window, cls, 32);
        if (lstrcmpW(cls, search.className) != 0)
            return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& name,
                                  const wchar_t* className)
{
    ProcessWindows search{processId, &name, className, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> BoxesOf(DWORD processId)
{
    std::vector<HWND> boxes;
    for (HWND box : TopLevelWindows(processId, L"", L"#32770"))
        if (IsWindowVisible(box))
            boxes.push_back(box);
    return boxes;
}

}  // namespace

RunningProgram::RunningProgram(const std::wstring& path, const std::wstring& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        process_.reset(info.hProcess);
        CloseHandle(info.hThread);
        id_ = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram()
{
    if (Running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool RunningProgram::Running() const
{
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::AnswerBoxes()
{
    const std::vector<HWND> open = BoxesOf(id_);
    for (HWND box : open) {
        boxes_.push_back(ReadBox(box));
        // The box ends at once; its window goes when the program's loop
        // has handled the click.
        ShowWindow(box, SW_HIDE);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return !open.empty();
}

HWND RunningProgram::WaitForPad(DWORD timeoutMs)
{
    HWND pad = nullptr;
    PumpUntil(
        [&] {
            AnswerBoxes();
            for (HWND window : WindowsOfProcess(id_, L"cMain"))
                if (IsWindowVisible(window))
                    pad = window;
            return pad != nullptr || !Running();
        },
        timeoutMs);
    return pad;
}

HWND RunningProgram::WaitForBox(DWORD timeoutMs)
{
    HWND box = nullptr;
    PumpUntil(
        [&] {
            const std::vector<HWND> open = BoxesOf(id_);
            box = open.empty() ? nullptr : open.front();
            return box != nullptr || !Running();
        },
        timeoutMs);
    return box;
}

int RunningProgram::WaitForExit(DWORD timeoutMs)
{
    if (!process_)
        return -1;
    if (!PumpUntil(
            [&] {
                AnswerBoxes();
                return !Running();
            },
            timeoutMs))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return static_cast<int>(code);
}

int RunningProgram::Close(DWORD timeoutMs)
{
    for (HWND pad : WindowsOfProcess(id_, L"cMain"))
        PostMessageW(pad, WM_SYSCOMMAND, SC_CLOSE, 0);
    return WaitForExit(timeoutMs);
}

std::vector<HWND> WindowsOfProcess(DWORD processId, const std::wstring& name)
{
    return TopLevelWindows(processId, name, nullptr);
}

std::vector<HWND> VisiblePads()
{
    std::vector<HWND> pads;
    for (HWND window : TopLevelWindows(0, L"cMain", nullptr))
        if (IsWindowVisible(window))
            pads.push_back(window);
    return pads;
}
