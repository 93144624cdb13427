#include "bench/pad_measures.h"

#include <shellapi.h>

#include <cstring>
#include <functional>

#include "bench/bare_release.h"
#include "bench/bench_clock.h"
#include "forms/window_name.h"
#include "menulib/menu_abi.h"
#include "settings/settings.h"

namespace {

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

void SendMouse(HWND pad, UINT message, WPARAM held, int x, int y)
{
    SendMessageW(pad, message, held, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

}  // namespace

ReleaseTimes ReleaseToLaunch(HWND pad, int rounds)
{
    ReleaseTimes times;
    BareRelease bare;
    // From the button's release to the shell's call; nothing when the call
    // did not come, or came more than once.
    const auto timeRelease = [](std::vector<double>& into, const std::function<void()>& release) {
        const int calls = launchCalls;
        const double released = Microseconds();
        release();
        if (launchCalls == calls + 1)
            into.push_back(launchCalledAt - released);
        PumpPending();
    };
    const auto padRound = [&] {
        SendMouse(pad, WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
        SendMouse(pad, WM_MOUSEMOVE, MK_RBUTTON, 40, 16);
        PumpPending();
        timeRelease(times.release, [&] { SendMouse(pad, WM_RBUTTONUP, 0, 40, 16); });
    };
    const auto bareRound = [&] {
        bare.Press();
        timeRelease(times.floor, [&] { bare.Release(); });
    };
    // Each first in every other round, so that both meet the same machine.
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            padRound();
            bareRound();
        } else {
            bareRound();
            padRound();
        }
    }
    return times;
}

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

namespace {

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

}  // namespace

void PressMenuKey(HWND pad)
{
    const LPARAM appsScan = static_cast<LPARAM>(MapVirtualKeyW(VK_APPS, MAPVK_VK_TO_VSC)) << 16;
    SendMessageW(pad, WM_KEYDOWN, VK_APPS, 1 | appsScan | (LPARAM{1} << 24));
    SendMessageW(pad, WM_KEYUP, VK_APPS,
                 1 | appsScan | (LPARAM{1} << 24) | static_cast<LPARAM>(0xC0000000u));
}

MenuTimes MenuChoiceToLaunch(HWND pad, int rounds, const std::wstring& program)
{
    MenuTimes times;
    menuHook = SetWindowsHookExW(WH_MSGFILTER, WatchMenu, nullptr, GetCurrentThreadId());
    for (int i = 0; i < rounds; ++i) {
        keysPosted = false;
        choiceAt = 0;
        menuReturnedAt = 0;
        const int calls = launchCalls;
        PressMenuKey(pad);
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

namespace {

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

}  // namespace

std::vector<double> DialogOpenToFirstPaint(cMain& pad, int rounds)
{
    std::vector<double> times;
    paintHook = SetWindowsHookExW(WH_GETMESSAGE, WatchPaint, nullptr, GetCurrentThreadId());
    for (int i = 0; i < rounds; ++i) {
        paintSeen = false;
        paintedAt = 0;
        const double opened = Microseconds();
        pad.RunPadAction(PadAction::Settings);
        if (paintedAt > 0)
            times.push_back(paintedAt - opened);
        PumpPending();
    }
    UnhookWindowsHookEx(paintHook);
    return times;
}

bool CatchLaunches()
{
    systemGetProcAddress = reinterpret_cast<GetProcAddressFn>(RedirectImport(
        "kernel32.dll", "GetProcAddress", reinterpret_cast<const void*>(&WatchedGetProcAddress)));
    return systemGetProcAddress != nullptr;
}

const std::wstring& LastLaunchedFile() { return launchedFile; }
