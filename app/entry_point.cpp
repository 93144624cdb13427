#include "app/entry_point.h"
#include "base/program_values.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/running_pads.h"
#include "base/attempt.h"
#include "base/desktop_toggle_file.h"
#include "base/path_text.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "settings/staged_write.h"

namespace {

// The hot key a first start sets: on the Japanese keyboard Ctrl+Shift+＼
// (VK_OEM_102), a key other keyboards lack or have elsewhere. Every other
// keyboard gets Ctrl+Alt+F11: a function key exists on all of them and types
// no character with AltGr (which is Ctrl+Alt), and neither Windows nor the
// common programs use this combination.
std::int32_t FirstStartHotKey()
{
    constexpr std::int32_t kJapaneseDefault = (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | VK_OEM_102;
    constexpr std::int32_t kOtherDefault = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | VK_F11;
    static_assert(kJapaneseDefault == 994);
    return JapaneseKeyboard() ? kJapaneseDefault : kOtherDefault;
}

// The instance lock: its existence tells later starts that an instance runs.
// The instance owns it until its pad has gone (ReleaseInstanceLock).
UniqueKernelHandle instanceMutex;
std::wstring exeBaseName;

bool AnotherInstanceRuns()
{
    instanceMutex.reset(CreateMutexW(nullptr, TRUE, kInstanceMutexName));
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

// An instance that holds the lock and shows no pad is on its way in or out:
// its pad is still coming, or gone while its process ends. Waits for its pad
// or for its lock, at most a few seconds; true once the lock is this one's.
bool TakeLockOfInstanceWithoutPad()
{
    constexpr DWORD kLongestWaitMs = 5000;
    constexpr DWORD kLookEveryMs = 50;
    const DWORD start = GetTickCount();
    while (FindRunningPads().count == 0) {
        const DWORD got = WaitForSingleObject(instanceMutex.get(), kLookEveryMs);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED)
            return true;
        if (got == WAIT_FAILED || GetTickCount() - start >= kLongestWaitMs)
            return false;
    }
    return false;
}

void ActivateRunningInstance()
{
    const RunningPads pads = FindRunningPads();
    if (pads.count == 0)
        return;
    const HWND window = pads.windows[0];
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

// When an installer has the Restart Manager close the pad to replace its
// files, the manager starts it again afterwards; not after a crash, a hang
// or a restart of Windows (the sign-in entry starts it then). Windows Vista
// and later only: on earlier systems there is nothing to register with.
void RegisterForRestartAfterUpdate()
{
    constexpr DWORD kRestartNoCrash = 1, kRestartNoHang = 2, kRestartNoReboot = 8;
    using RegisterFn = HRESULT(WINAPI*)(PCWSTR, DWORD);
    const auto registerRestart = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "RegisterApplicationRestart")));
    if (registerRestart)
        registerRestart(L"", kRestartNoCrash | kRestartNoHang | kRestartNoReboot);
}

bool DetectLayeredWindows()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

}  // namespace

void ReleaseInstanceLock()
{
    if (instanceMutex)
        ReleaseMutex(instanceMutex.get());
    instanceMutex.reset();
}

ProgramLocation LocateProgram()
{
    const std::wstring path = ProgramPath();
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = file.rfind(L'.');
    return {slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1),
            dot == std::wstring::npos ? file : file.substr(0, dot)};
}

void Main(const std::function<void()>& showLauncher)
{
    if (AnotherInstanceRuns() && !TakeLockOfInstanceWithoutPad()) {
        ActivateRunningInstance();
        return;
    }
    RegisterForRestartAfterUpdate();
    StartUpToLauncher(LocateProgram());
    Attempt(showLauncher);
}

void StartUp(const ProgramLocation& location)
{
    StartUpToLauncher(location);
    LoadCommandLists();
}

void StartUpToLauncher(const ProgramLocation& location)
{
    AppFolder = EndsWithSeparator(location.folder) ? location.folder : location.folder + L'\\';
    exeBaseName = location.baseName;
    LayeredWindowsAvailable = DetectLayeredWindows();

    PlaceDesktopToggleFile();
    RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    // A save that an ended process left half-way is finished or undone
    // before anything is read.
    Attempt([&] { FinishStagedWrite(key); });
    Attempt([&] { MigrateSettings(key); });
    Attempt([] { RemoveStaleProgramEntries(); });
    Attempt([] { AppSettings = std::make_unique<cSettings>(); });
    Attempt([&] {
        if (AppSettings)
            AppSettings->LoadOptions(key);
    });
}

void LoadCommandLists()
{
    Attempt([] {
        if (!AppSettings)
            return;
        RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
        AppSettings->LoadLists(key);
    });
}

void MigrateSettings(RegistryKey& key)
{
    // Only a missing version is a first start; one that is there but cannot
    // be read comes from an earlier start and must not cost the user's hot key.
    const std::int32_t version =
        key.HasValue(L"Version") ? key.ReadValue(L"Version", kSettingsLayoutVersion) : 0;
    RegistryKey maker = Persistence().KeyOf(key.Parent());
    maker.WriteValue(L"Korvane", AppFolder + exeBaseName + L".EXE");
    if (version < kSettingsLayoutVersion)
        key.WriteValue(L"HotKey", FirstStartHotKey());
    key.WriteValue(L"Version", kSettingsLayoutVersion);
}

void RemoveStaleProgramEntries()
{
    RegistryKey maker =
        Persistence().KeyOf(RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath));
    std::vector<std::wstring> stale;
    std::wstring name, data;
    while (maker.NextValue(name, data)) {
        if (name == L"Korvane" || FileExists(data))
            continue;
        stale.push_back(name);
    }
    for (const std::wstring& entry : stale)
        maker.WriteValue(entry, Null);
}
