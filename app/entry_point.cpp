#include "app/entry_point.h"
#include "base/program_values.h"

#include <windows.h>

#include <vector>

#include "app/first_hot_key.h"
#include "app/running_pads.h"
#include "base/attempt.h"
#include "base/desktop_toggle_file.h"
#include "base/interface_text.h"
#include "base/path_text.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"
#include "settings/settings_store.h"
#include "settings/staged_write.h"

namespace {

// Every keyboard can press its first hot key (see first_hot_key.h).
std::int32_t FirstStartHotKey()
{
    return JapaneseKeyboard() ? kJapaneseFirstHotKey : kOtherFirstHotKey;
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
// its pad is still coming, or hidden or gone while its process ends. Waits
// for its pad to show or for its lock. True when this start is to show a
// pad: the lock is its own, or the wait ran out with no pad shown (one that
// hangs on its way out must not leave the user with none).
bool TakeLockOfInstanceWithoutPad()
{
    constexpr DWORD kLookEveryMs = 50;
    const DWORD start = GetTickCount();
    while (FindRunningPads(true).count == 0) {
        const DWORD got = WaitForSingleObject(instanceMutex.get(), kLookEveryMs);
        if (got != WAIT_TIMEOUT || GetTickCount() - start >= kPadClosingTimeoutMs)
            return true;
    }
    return false;
}

void ActivateRunningInstance()
{
    const RunningPads pads = FindRunningPads(true);
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
    {
        // An import or a save of another process, however long it takes, is
        // switched over before anything is read; one that an ended process
        // left half-way is finished or undone.
        const SettingsLock lock;
        Attempt([] {
            ChooseSettingsPlace(AppFolder);
            TakeKeptLanguageChoice();
        });
        // Settings kept beside the program leave the registry as it is.
        if (PortableSettingsFile().empty()) {
            RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
            Attempt([&] { FinishStagedWrite(key); });
            Attempt([&] { MigrateSettings(key); });
            Attempt([] { RemoveStaleProgramEntries(); });
        }
        Attempt([] { AppSettings = std::make_unique<cSettings>(); });
        Attempt([] {
            if (AppSettings)
                LoadKept(*AppSettings, true, {});
        });
    }
    // Once, before the pad: the file is left as it is, and the program runs
    // on the defaults.
    if (!UnreadableSettingsFile().empty())
        MsgBox(UnreadableSettingsFile() + L"\r\n\r\n" + UiText(IDS_SETTINGS_FILE_KEPT_AS_IT_IS));
}

void LoadCommandLists()
{
    Attempt([] {
        if (AppSettings)
            LoadKept(*AppSettings, false,
                     {&AppSettings->Drags(), &AppSettings->Keys(), &AppSettings->Menus()});
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
