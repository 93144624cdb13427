// `make bench`: how fast and how small the launcher is, measured side by side
// with a bare program that shows one 34 × 34 window, printed as a table.
//
// Out of process: start-up to the window shown and peak memory, the two
// programs started in turn; idle CPU.
// In process: a pad of this process, its launches caught at the shell's door:
// the program finds ShellExecuteExW through GetProcAddress when it first
// needs it, and this program's own import of GetProcAddress answers with a
// recorder, so nothing starts and the product holds no hook. Beside each
// launch measure, in turn with it, its floor: hiding a bare popup window, and
// a real ShellExecuteEx call. And the settings dialog.

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/desktop_toggle_file.h"
#include "base/program_values.h"
#include "base/win_handles.h"
#include "forms/window_name.h"
#include "menulib/menu_abi.h"
#include "pad/main_window.h"
#include "settings/settings.h"
#include "tests/support/probe_log.h"
#include "tests/support/registry_tree.h"
#include "tests/support/sandbox.h"

namespace {

// ---- time -------------------------------------------------------------------

double Microseconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / frequency;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile95(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Waits up to timeoutMs for done(), looking every millisecond.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpPending();
        Sleep(1);
    }
    return true;
}

// ---- other processes --------------------------------------------------------

struct WindowSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId)
{
    WindowSearch search{processId};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ProgramRun {
    double startUpMs = 0;       // CreateProcess to the window shown
    double peakWorkingSetKb = 0;
    double peakPrivateKb = 0;
    bool ok = false;
};

// Starts a program, waits for its window, takes its measures, closes it.
ProgramRun RunOnce(const std::wstring& path)
{
    ProgramRun run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    const double start = Microseconds();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return run;
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = VisibleWindowOf(info.dwProcessId)) != nullptr; }, 30000)) {
        TerminateProcess(process.get(), 1);
        return run;
    }
    run.startUpMs = (Microseconds() - start) / 1000;
    // Settled: what start-up left running has run.
    Sleep(300);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
        run.peakWorkingSetKb = memory.PeakWorkingSetSize / 1024.0;
        run.peakPrivateKb = memory.PeakPagefileUsage / 1024.0;
    }
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    run.ok = true;
    return run;
}

// The share of one processor this process used while its messages were
// dispatched for the given time.
double IdleCpuPercent(DWORD ms)
{
    auto busy = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        auto ticks = [](const FILETIME& t) {
            return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                       t.dwLowDateTime);
        };
        return (ticks(kernel) + ticks(user)) / 10;  // microseconds
    };
    const double busyFrom = busy(), from = Microseconds();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        PumpPending();
    }
    return 100 * (busy() - busyFrom) / (Microseconds() - from);
}

// ---- the shell's door -------------------------------------------------------

double launchCalledAt = 0;
int launchCalls = 0;
std::wstring launchedFile;

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* info)
{
    launchCalledAt = Microseconds();
    ++launchCalls;
    launchedFile = info->lpFile ? info->lpFile : L"";
    info->hInstApp = reinterpret_cast<HINSTANCE>(42);
    return TRUE;
}

// The command menu of korvane.dll, timed at its return: what follows up to
// the shell's call is the program's own part of a menu launch.
PopupCommandMenuFn commandMenu = nullptr;
double menuReturnedAt = 0;

int WINAPI TimedCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                            char* parameters, int x, int y, int dblClickAction)
{
    const int answer = commandMenu(owner, entries, count, file, parameters, x, y, dblClickAction);
    menuReturnedAt = Microseconds();
    return answer;
}

using GetProcAddressFn = FARPROC(WINAPI*)(HMODULE, LPCSTR);
GetProcAddressFn systemGetProcAddress = nullptr;

FARPROC WINAPI WatchedGetProcAddress(HMODULE module, LPCSTR name)
{
    const FARPROC found = systemGetProcAddress(module, name);
    if (!found)
        return found;
    if (IS_INTRESOURCE(name)) {
        if (module != GetModuleHandleW(L"korvane.dll") ||
            LOWORD(reinterpret_cast<ULONG_PTR>(name)) != kPopupCommandMenuOrdinal)
            return found;
        commandMenu = reinterpret_cast<PopupCommandMenuFn>(reinterpret_cast<void*>(found));
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&TimedCommandMenu));
    }
    if (std::strcmp(name, "ShellExecuteExW") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordShellExecute));
    return found;
}

// Points this program's own import of module!function at a replacement;
// returns what it pointed at, or null when there is no such import.
void* RedirectImport(const char* module, const char* function, const void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), module) != 0)
            continue;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + descriptor->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0)
                continue;
            void* const previous = reinterpret_cast<void*>(slot->u1.Function);
            DWORD oldProtection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                           &oldProtection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, oldProtection,
                           &oldProtection);
            return previous;
        }
    }
    return nullptr;
}

// ---- the floors ---------------------------------------------------------------

// A popup like the status window, shown and painted; hidden by the caller.
class BarePopup {
public:
    BarePopup()
        : window_(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"Bench",
                                  WS_POPUP | WS_BORDER, 100, 160, 80, 24, nullptr, nullptr,
                                  nullptr, nullptr))
    {
    }
    // The time ShowWindow takes to hide it once it is on show.
    double TimeHide()
    {
        SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        UpdateWindow(window_.get());
        PumpPending();
        const double from = Microseconds();
        ShowWindow(window_.get(), SW_HIDE);
        return Microseconds() - from;
    }

private:
    UniqueWindow window_;
};

// One real ShellExecuteEx call that starts a small program (the test probe,
// which ends at once without its log), timed from the call to its return.
double TimeShellExecute(const std::wstring& program)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST | SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"Open";
    info.lpFile = program.c_str();
    info.nShow = SW_SHOW;
    const double from = Microseconds();
    const BOOL started = ShellExecuteExW(&info);
    const double took = Microseconds() - from;
    if (!started)
        return -1;
    UniqueKernelHandle process(info.hProcess);
    if (process)
        WaitForSingleObject(process.get(), 10000);
    return took;
}

// ---- the pad in this process ------------------------------------------------

void SendMouse(HWND pad, UINT message, WPARAM held, int x, int y)
{
    SendMessageW(pad, message, held, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

// Release of a right-drag to the right, to the call of the shell; in turn
// with each release, the floor of hiding a bare popup window.
struct ReleaseTimes {
    std::vector<double> release;
    std::vector<double> bareHide;
};

ReleaseTimes ReleaseToLaunch(HWND pad, int rounds)
{
    ReleaseTimes times;
    BarePopup popup;
    for (int i = 0; i < rounds; ++i) {
        SendMouse(pad, WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
        SendMouse(pad, WM_MOUSEMOVE, MK_RBUTTON, 40, 16);
        PumpPending();
        const int calls = launchCalls;
        const double released = Microseconds();
        SendMouse(pad, WM_RBUTTONUP, 0, 40, 16);
        if (launchCalls == calls + 1)
            times.release.push_back(launchCalledAt - released);
        PumpPending();
        times.bareHide.push_back(popup.TimeHide());
    }
    return times;
}

// The status window going away after the launch.
std::vector<double> StatusUnload(cMain& pad, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        pad.StatusWindow.ShowStatus(L"Bench");
        PumpPending();
        pad.StatusWindow.Hide();
        const double from = Microseconds();
        pad.StatusWindow.HideStatus();
        times.push_back(Microseconds() - from);
    }
    return times;
}

std::vector<double> ExecuteToLaunch(cMain& pad, int rounds)
{
    std::vector<double> times;
    const ShellCommand& command = *AppSettings->Drags().Item(3);
    for (int i = 0; i < rounds; ++i) {
        const int calls = launchCalls;
        const double from = Microseconds();
        command.Execute(pad.Handle(), 0, 0);
        if (launchCalls == calls + 1)
            times.push_back(launchCalledAt - from);
        PumpPending();
    }
    return times;
}

// The menu's own loop: the first menu entry is chosen with the keys, and the
// moment the menu takes the Return key is the user's choice.
HHOOK menuHook = nullptr;
double choiceAt = 0;
bool keysPosted = false;

LRESULT CALLBACK WatchMenu(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (!keysPosted) {
            keysPosted = true;
            PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(msg.hwnd, WM_KEYDOWN, VK_RETURN, 0);
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            choiceAt = Microseconds();
        }
    }
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

// From the choice, and from the menu's return, to the call of the shell; in
// turn with each, the floor of a real ShellExecuteEx call.
struct MenuTimes {
    std::vector<double> choice;
    std::vector<double> ownPart;
    std::vector<double> bareShellExecute;
};

MenuTimes MenuChoiceToLaunch(HWND pad, int rounds, const std::wstring& program)
{
    MenuTimes times;
    menuHook = SetWindowsHookExW(WH_MSGFILTER, WatchMenu, nullptr, GetCurrentThreadId());
    const LPARAM appsScan = static_cast<LPARAM>(MapVirtualKeyW(VK_APPS, MAPVK_VK_TO_VSC)) << 16;
    for (int i = 0; i < rounds; ++i) {
        keysPosted = false;
        choiceAt = 0;
        menuReturnedAt = 0;
        const int calls = launchCalls;
        SendMessageW(pad, WM_KEYDOWN, VK_APPS, 1 | appsScan | (LPARAM{1} << 24));
        SendMessageW(pad, WM_KEYUP, VK_APPS,
                     1 | appsScan | (LPARAM{1} << 24) | static_cast<LPARAM>(0xC0000000u));
        if (launchCalls == calls + 1 && choiceAt > 0)
            times.choice.push_back(launchCalledAt - choiceAt);
        if (launchCalls == calls + 1 && menuReturnedAt > 0)
            times.ownPart.push_back(launchCalledAt - menuReturnedAt);
        PumpPending();
        if (!program.empty())
            if (const double took = TimeShellExecute(program); took >= 0)
                times.bareShellExecute.push_back(took);
    }
    UnhookWindowsHookEx(menuHook);
    return times;
}

// The dialog's first WM_PAINT is followed by a message of our own, which
// arrives once that paint has been handled.
constexpr UINT kPainted = WM_APP + 0x4B;
HHOOK paintHook = nullptr;
double paintedAt = 0;
bool paintSeen = false;

LRESULT CALLBACK WatchPaint(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_PAINT && !paintSeen && WindowNameOf(msg.hwnd) == L"cDlgSettings") {
            paintSeen = true;
            PostMessageW(msg.hwnd, kPainted, 0, 0);
        } else if (msg.message == kPainted) {
            paintedAt = Microseconds();
            PostMessageW(msg.hwnd, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(paintHook, code, wParam, lParam);
}

std::vector<double> DialogOpenToFirstPaint(cMain& pad, int rounds)
{
    std::vector<double> times;
    paintHook = SetWindowsHookExW(WH_GETMESSAGE, WatchPaint, nullptr, GetCurrentThreadId());
    for (int i = 0; i < rounds; ++i) {
        paintSeen = false;
        paintedAt = 0;
        const double opened = Microseconds();
        pad.RunPadAction(2);
        if (paintedAt > 0)
            times.push_back(paintedAt - opened);
        PumpPending();
    }
    UnhookWindowsHookEx(paintHook);
    return times;
}

// ---- the report -------------------------------------------------------------

std::string Number(double value, int decimals = 1)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void Row(const std::string& what, const std::string& korvane, const std::string& bare,
         const std::string& ratio, const std::string& target, bool met)
{
    std::printf("| %-40s | %12s | %10s | %7s | %-14s | %-4s |\n", what.c_str(), korvane.c_str(),
                bare.c_str(), ratio.c_str(), target.c_str(), target.empty() ? "" : met ? "yes" : "NO");
}

double FileKb(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1024;
}

}  // namespace

int main()
{
    // The user's settings are put back at the end, whatever the runs wrote.
    const RegistryTree saved = CopyRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath);
    const std::wstring folder = BuildFolder();
    const std::wstring korvane = folder + L"korvane.exe", bare = folder + L"bare_window.exe";

    // Start-up and memory: the two programs one right after the other, each
    // first in every other round, so that both meet the same machine. The
    // ratio is the median of the rounds' own ratios: on a shared machine the
    // times of whole rounds differ more than the programs do.
    constexpr int kStarts = 25;
    RunOnce(korvane);
    RunOnce(bare);
    std::vector<double> startK, startB, peakK, peakB, privateK, privateB;
    std::vector<double> startRatios, peakRatios, privateRatios;
    for (int i = 0; i < kStarts; ++i) {
        ProgramRun k, b;
        if (i % 2 == 0) {
            k = RunOnce(korvane);
            b = RunOnce(bare);
        } else {
            b = RunOnce(bare);
            k = RunOnce(korvane);
        }
        if (!k.ok || !b.ok) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        startK.push_back(k.startUpMs);
        startB.push_back(b.startUpMs);
        peakK.push_back(k.peakWorkingSetKb);
        peakB.push_back(b.peakWorkingSetKb);
        privateK.push_back(k.peakPrivateKb);
        privateB.push_back(b.peakPrivateKb);
        startRatios.push_back(k.startUpMs / b.startUpMs);
        peakRatios.push_back(k.peakWorkingSetKb / b.peakWorkingSetKb);
        privateRatios.push_back(k.peakPrivateKb / b.peakPrivateKb);
    }
    // Idle: this process's own loop, first without a pad (a window like the
    // bare program's), then with the pad and its timer. The system reports
    // the times of the calling process on every platform, those of another
    // not everywhere.
    constexpr DWORD kIdleMs = 10000;
    double idleBare = 0;
    {
        const HWND window = CreateWindowExW(0, L"STATIC", L"Bare", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                            100, 100, 34, 34, nullptr, nullptr, nullptr, nullptr);
        idleBare = IdleCpuPercent(kIdleMs);
        DestroyWindow(window);
    }

    // The pad in this process, on settings of its own.
    RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, RegistryTree{});
    systemGetProcAddress = reinterpret_cast<GetProcAddressFn>(RedirectImport(
        "kernel32.dll", "GetProcAddress", reinterpret_cast<const void*>(&WatchedGetProcAddress)));
    const bool redirected = systemGetProcAddress != nullptr;
    AppFolder = folder;
    LayeredWindowsAvailable = true;
    WriteDesktopToggleFile(AppFolder);
    AppSettings = std::make_unique<cSettings>();
    AppSettings->Drags().Item(3)->StoreCommandLine(L"C:\\Bench\\right.exe -r");
    AppSettings->Menus().Add(-1)->StoreCommandLine(L"C:\\Bench\\entry.exe -m");
    AppSettings->Menus().Add(-1)->StoreCommandLine(L"C:\\Bench\\second.exe");
    MainWindow = std::make_unique<cMain>();
    MainWindow->Show();
    PumpPending();
    const HWND pad = MainWindow->Handle();
    ReleaseTimes release, releaseAnimated;
    MenuTimes menu;
    std::vector<double> dialog, unload, execute;
    if (redirected) {
        ReleaseToLaunch(pad, 20);
        release = ReleaseToLaunch(pad, 1000);
        unload = StatusUnload(*MainWindow, 200);
        execute = ExecuteToLaunch(*MainWindow, 200);
        AppSettings->ActiveStyle = true;
        releaseAnimated = ReleaseToLaunch(pad, 200);
        AppSettings->ActiveStyle = false;
        MenuChoiceToLaunch(pad, 5, L"");
        menu = MenuChoiceToLaunch(pad, 100, ProbeProgramPath());
    }
    const bool menuLaunchedEntry = launchedFile == L"C:\\Bench\\entry.exe";
    const double idlePad = IdleCpuPercent(kIdleMs);
    DialogOpenToFirstPaint(*MainWindow, 1);
    dialog = DialogOpenToFirstPaint(*MainWindow, 15);
    MainWindow->Unload();
    MainWindow.reset();
    DeleteDesktopToggleFile(AppFolder);
    RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, saved);

    const double exeKb = FileKb(korvane), dllKb = FileKb(folder + L"korvane.dll");
    std::printf("| %-40s | %12s | %10s | %7s | %-14s | %-4s |\n", "Measure", "Korvane", "Floor",
                "Ratio", "Target", "Met");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(42, '-').c_str(),
                std::string(14, '-').c_str(), std::string(12, '-').c_str(),
                std::string(9, '-').c_str(), std::string(16, '-').c_str(),
                std::string(6, '-').c_str());
    const double startRatio = Median(startRatios);
    Row("Start-up to window shown (ms, median)", Number(Median(startK)), Number(Median(startB)),
        Number(startRatio, 2), "<= 1.10", startRatio <= 1.10);
    const double peakRatio = Median(peakRatios);
    Row("Peak working set (KB, median)", Number(Median(peakK), 0), Number(Median(peakB), 0),
        Number(peakRatio, 2), "<= 1.10", peakRatio <= 1.10);
    const double privateRatio = Median(privateRatios);
    Row("Peak private memory (KB, median)", Number(Median(privateK), 0),
        Number(Median(privateB), 0), Number(privateRatio, 2), "<= 1.10", privateRatio <= 1.10);
    if (redirected && !release.release.empty() && !menu.choice.empty()) {
        const double releaseP95 = Percentile95(release.release);
        const double hideP95 = Percentile95(release.bareHide);
        Row("Release to ShellExecuteEx (us, median)", Number(Median(release.release)),
            Number(Median(release.bareHide)), "", "", true);
        Row("  same, 95th percentile (us)", Number(releaseP95), Number(hideP95),
            Number(releaseP95 / hideP95, 2), "<= 1.25", releaseP95 <= 1.25 * hideP95);
        Row("  status window destroyed after (us)", Number(Median(unload)), "", "", "", true);
        Row("  Execute to the call (us, median)", Number(Median(execute)), "", "", "", true);
        Row("  with drag animation (us, median)", Number(Median(releaseAnimated.release)), "", "",
            "", true);
        Row("Menu choice to ShellExecuteEx (us, median)", Number(Median(menu.choice)), "", "", "",
            true);
        Row("  the program's own part (us, median)", Number(Median(menu.ownPart)), "", "",
            "< 50", !menu.ownPart.empty() && Median(menu.ownPart) < 50 && menuLaunchedEntry);
        Row("ShellExecuteEx starting a program (ms)", "",
            Number(Median(menu.bareShellExecute) / 1000), "", "", true);
    } else {
        std::printf("| launches could not be timed: %s\n",
                    redirected ? "no launch arrived" : "GetProcAddress not imported");
    }
    Row("Settings dialog open to first paint (ms)", Number(Median(dialog) / 1000), "", "",
        "< 100", !dialog.empty() && Median(dialog) / 1000 < 100);
    Row("CPU over 10 s idle (%)", Number(idlePad, 2), Number(idleBare, 2), "", "< 0.5",
        idlePad < 0.5);
    Row("korvane.exe + korvane.dll (KB)", Number(exeKb, 0) + " + " + Number(dllKb, 0), "", "",
        "< 1024", exeKb + dllKb < 1024);
    std::printf("\nFloor: the bare program started in turn with korvane.exe (ratios: the median\n"
                "of each round's own); hiding a bare popup window, in turn with each release; a\n"
                "real ShellExecuteEx call starting a small program, in turn with each menu choice.\n"
                "Start-up over %d rounds, its ratio ranging %.2f to %.2f between rounds.\n",
                kStarts, *std::min_element(startRatios.begin(), startRatios.end()),
                *std::max_element(startRatios.begin(), startRatios.end()));
    return 0;
}
