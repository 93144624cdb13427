#include "bench/growth_measures.h"

#include <memory>
#include <utility>

#include "base/win_handles.h"
#include "bench/bench_clock.h"
#include "bench/pad_measures.h"
#include "bench/program_runs.h"
#include "objlib/persist.h"
#include "pad/main_window.h"
#include "settings/settings.h"
#include "tests/support/registry_tree.h"

namespace {

constexpr size_t kPathLength = 259;

// A program path of kPathLength characters ending in the file name, its
// folders 40 characters apart.
std::wstring LongPath(const std::wstring& fileName)
{
    std::wstring path = L"C:\\Bench\\";
    while (path.size() < kPathLength - fileName.size() - 1)
        path += (path.size() % 40 == 39 && path.back() != L'\\') ? L'\\' : L'd';
    return path + L'\\' + fileName;
}

void Fill(ShellCommand& command, const std::wstring& fileName, const std::wstring& caption)
{
    const std::wstring program = LongPath(fileName);
    command.StoreCommandLine(program + L" -x");
    command.StoreWorkDir(program.substr(0, program.rfind(L'\\')));
    command.Caption = caption;
}

std::unique_ptr<cSettings> GrowthSettings(int menuEntries)
{
    auto settings = std::make_unique<cSettings>();
    for (int k = 0; k < settings->Keys().Count(); ++k)
        Fill(*settings->Keys().Item(k), L"key" + std::to_wstring(k) + L".exe",
             L"Key " + std::to_wstring(k));
    // Slot 0 keeps the desktop toggle; the eight directions are the user's.
    for (int d = 1; d < settings->Drags().Count(); ++d)
        Fill(*settings->Drags().Item(d), L"drag" + std::to_wstring(d) + L".exe",
             L"Drag " + std::to_wstring(d));
    for (int m = 0; m < menuEntries; ++m)
        Fill(*settings->Menus().Add(-1), L"entry" + std::to_wstring(m) + L".exe",
             L"Entry " + std::to_wstring(m));
    return settings;
}

// In place of whatever is stored: a save leaves the entries of a longer list
// behind, and the loader still lists their keys.
void SaveAsTheUsers(cSettings& settings)
{
    RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, RegistryTree{});
    RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Persistence().PersistOf(settings).Save(key);
}

// The stored settings read as the dialog and the start-up's later part read
// them, in milliseconds.
double SettingsRead()
{
    cSettings settings;
    const double from = Microseconds();
    RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Persistence().PersistOf(settings).Load(key);
    return (Microseconds() - from) / 1000;
}

// The menu loop tells its owner when it first waits for the user: the menu
// is on show and painted then.
double menuIdleAt = 0;

LRESULT CALLBACK WatchMenuIdle(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU &&
        menuIdleAt == 0) {
        menuIdleAt = Microseconds();
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A menu that never waits for the user is closed, so that the run ends.
void CALLBACK GiveUpMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// From the key that asks for the command menu to the menu waiting for the
// user, in milliseconds; -1 when it did not open.
double CommandMenuOpening(HWND pad)
{
    const UniqueHook hook(
        SetWindowsHookExW(WH_CALLWNDPROC, WatchMenuIdle, nullptr, GetCurrentThreadId()));
    const UINT_PTR giveUp = SetTimer(nullptr, 0, 10000, GiveUpMenu);
    menuIdleAt = 0;
    const double from = Microseconds();
    PressMenuKey(pad);
    KillTimer(nullptr, giveUp);
    PumpPending();
    return menuIdleAt > 0 ? (menuIdleAt - from) / 1000 : -1;
}

// The pad's unload at exit, which saves the settings, in milliseconds.
double ExitSave(cMain& pad)
{
    const double from = Microseconds();
    pad.Unload();
    return (Microseconds() - from) / 1000;
}

// Settings of one size in AppSettings while it lives.
class Installed {
public:
    explicit Installed(std::unique_ptr<cSettings>& settings) : settings_(settings)
    {
        std::swap(AppSettings, settings_);
    }
    ~Installed() { std::swap(AppSettings, settings_); }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

private:
    std::unique_ptr<cSettings>& settings_;
};

// The order of the sizes in a round: every order in turn, so that each size
// comes after each other one as often (a run leaves work behind it, such as
// the registry written at its exit).
size_t SizeAt(int round, size_t turn)
{
    static constexpr std::array<std::array<size_t, 3>, 6> kOrders = {
        {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {2, 0, 1}, {0, 2, 1}, {1, 2, 0}}};
    return kOrders[static_cast<size_t>(round + 1) % kOrders.size()][turn];
}

void PushRatio(std::vector<double>& ratios, const std::array<double, 3>& round)
{
    if (round.front() > 0 && round.back() > 0)
        ratios.push_back(round.back() / round.front());
}

}  // namespace

void MeasureStartUpGrowth(const std::wstring& korvane, int rounds, GrowthTimes& times)
{
    std::array<std::unique_ptr<cSettings>, 3> settings;
    for (size_t s = 0; s < settings.size(); ++s)
        settings[s] = GrowthSettings(kGrowthSizes[s]);
    for (int r = -1; r < rounds; ++r) {
        std::array<double, 3> round{};
        for (size_t k = 0; k < settings.size(); ++k) {
            const size_t s = SizeAt(r, k);
            SaveAsTheUsers(*settings[s]);
            const ProgramRun run = RunOnce(korvane);
            // The first round only warms up.
            if (r < 0 || !run.ok)
                continue;
            round[s] = run.startUpMs;
            times.startUpMs[s].push_back(run.startUpMs);
        }
        PushRatio(times.startUpRatios, round);
    }
}

void MeasurePadGrowth(int rounds, GrowthTimes& times)
{
    std::array<std::unique_ptr<cSettings>, 3> settings;
    for (size_t s = 0; s < settings.size(); ++s)
        settings[s] = GrowthSettings(kGrowthSizes[s]);
    for (int r = -1; r < rounds; ++r) {
        std::array<double, 3> dialogRound{};
        for (size_t k = 0; k < settings.size(); ++k) {
            const size_t s = SizeAt(r, k);
            const Installed installed(settings[s]);
            // Stored too: the dialog starts from what is stored. A pad of its
            // own for each: it compiles its menu table after its first
            // paint, and its unload is the exit.
            SaveAsTheUsers(*AppSettings);
            const double read = SettingsRead();
            MainWindow = std::make_unique<cMain>(*AppSettings);
            MainWindow->Show();
            PumpPending();
            const double menu = CommandMenuOpening(MainWindow->Handle());
            const std::vector<double> dialog = DialogOpenToFirstPaint(*MainWindow, 1);
            const double save = ExitSave(*MainWindow);
            MainWindow.reset();
            // The first round only warms up.
            if (r < 0)
                continue;
            if (menu >= 0)
                times.menuOpeningMs[s].push_back(menu);
            if (!dialog.empty()) {
                dialogRound[s] = dialog.front() / 1000;
                times.dialogMs[s].push_back(dialogRound[s]);
            }
            times.exitSaveMs[s].push_back(save);
            times.readMs[s].push_back(read);
        }
        PushRatio(times.dialogRatios, dialogRound);
    }
}
