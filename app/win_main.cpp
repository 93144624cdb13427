// korvane.exe: start-up, then the launcher's message loop, which ends when
// the launcher pad has been unloaded.

#include <windows.h>

#include "app/entry_point.h"
#include "forms/form.h"
#include "pad/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Main([] {
        MainWindow = std::make_unique<cMain>();
        MainWindow->DeferredStartUp = LoadCommandLists;
        MainWindow->Show();
    });
    return RunMessageLoop();
}
