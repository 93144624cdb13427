// korvane.exe: what its command line asks for. Without switches, start-up
// and then the launcher's message loop, which ends when the launcher pad has
// been unloaded.

#include <windows.h>

#include "app/entry_point.h"
#include "app/program_switches.h"
#include "app/running_pads.h"
#include "app/transfer_command.h"
#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/system.h"
#include "forms/form.h"
#include "pad/main_window.h"
#include "settings/settings.h"

namespace {

enum ExitCode : int { kDone = 0, kPadStillRunning = 1, kBadCommandLine = 2 };

UINT ProblemText(SwitchProblem problem)
{
    switch (problem) {
    case SwitchProblem::ValueMissing:
        return IDS_SWITCH_VALUE_MISSING;
    case SwitchProblem::Extra:
        return IDS_SWITCH_EXTRA;
    default:
        return IDS_SWITCH_UNKNOWN;
    }
}

int RunPad()
{
    // The pad's thread is OLE's single-threaded apartment for its whole
    // life: the accessible objects it hands to screen readers, its drop
    // targets and their reference counts are made for calls on this one
    // thread, which only an apartment of its own guarantees. Entered once the
    // pad has been painted (loading ole32 would delay that) and before the
    // commands, menus or dialogs can use it; left when the loop has ended.
    bool inApartment = false;
    Main([&inApartment] {
        // Settings that could not even be made leave no pad to show, and the
        // loop below nothing to wait for.
        if (!AppSettings)
            return;
        MainWindow = std::make_unique<cMain>(*AppSettings);
        MainWindow->DeferredStartUp = [&inApartment] {
            inApartment = SUCCEEDED(ole32::OleInitialize(nullptr));
            LoadCommandLists();
        };
        MainWindow->Show();
    });
    const int exitCode = RunMessageLoop();
    if (inApartment)
        ole32::OleUninitialize();
    ReleaseInstanceLock();
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    const ProgramRequest request = ParseProgramSwitches(arguments ? arguments : L"");
    if (request.problem != SwitchProblem::None) {
        if (!request.quiet)
            MsgBox(UiText(ProblemText(request.problem), {request.argument}) + L"\r\n\r\n" +
                       UiText(IDS_SWITCH_USAGE),
                   MB_OK | MB_ICONEXCLAMATION);
        return kBadCommandLine;
    }
    switch (request.action) {
    case ProgramAction::Exit:
        return CloseRunningPads().allEnded ? kDone : kPadStillRunning;
    case ProgramAction::Export:
        return RunSettingsTransfer(TransferDirection::Export, request.value, request.quiet);
    case ProgramAction::Import:
        return RunSettingsTransfer(TransferDirection::Import, request.value, request.quiet);
    case ProgramAction::Run:
        break;
    }
    return RunPad();
}
