// korvane.exe: start-up, then the launcher's message loop, which ends when
// the launcher pad has been unloaded.

#include <windows.h>

#include "app/entry_point.h"
#include "forms/form.h"
#include "pad/main_window.h"
#include "settings/settings.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Main([] {
        // Settings that could not even be made leave no pad to show, and the
        // loop below nothing to wait for.
        if (!AppSettings)
            return;
        MainWindow = std::make_unique<cMain>(*AppSettings);
        MainWindow->DeferredStartUp = LoadCommandLists;
        MainWindow->Show();
    });
    return RunMessageLoop();
}
