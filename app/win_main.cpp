// korvane.exe: what its command line asks for. Without switches, start-up
// and then the launcher's message loop, which ends when the launcher pad has
// been unloaded.

#include <windows.h>

#include "app/entry_point.h"
#include "app/program_switches.h"
#include "app/running_pads.h"
#include "base/system.h"
#include "forms/form.h"
#include "pad/main_window.h"

namespace {

enum ExitCode : int { kDone = 0, kPadStillRunning = 1, kBadCommandLine = 2 };

int RunPad()
{
    Main([] {
        MainWindow = std::make_unique<cMain>();
        MainWindow->DeferredStartUp = LoadCommandLists;
        MainWindow->Show();
    });
    return RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    const ProgramRequest request = ParseProgramSwitches(arguments ? arguments : L"");
    if (!request.error.empty()) {
        MsgBox(request.error + L"\r\n\r\nkorvane.exe [/exit]", MB_OK | MB_ICONEXCLAMATION);
        return kBadCommandLine;
    }
    switch (request.action) {
    case ProgramAction::Exit:
        return CloseRunningPads().allEnded ? kDone : kPadStillRunning;
    case ProgramAction::Run:
        break;
    }
    return RunPad();
}
