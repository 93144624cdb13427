// korvane_setup.dll: the installer's own action, run from the package
// (never installed). Before the installer replaces or removes the program's
// files it closes every pad of the installing user's desktop, as
// `korvane.exe /exit` does, so that no file is in use and no restart is
// needed; a pad of any earlier version closes the same way. It tells the
// package whether it closed one, so that the pad is started again after an
// upgrade.

#include <windows.h>
#include <msiquery.h>

#include "app/running_pads.h"

extern "C" UINT __stdcall ClosePads(MSIHANDLE install)
{
    if (CloseRunningPads().asked > 0)
        MsiSetPropertyW(install, L"KORVANEPADCLOSED", L"1");
    // Never a reason to fail the installation: a pad that stays (stuck in a
    // message box) has its files replaced at the next restart.
    return ERROR_SUCCESS;
}
