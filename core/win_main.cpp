// korvane.exe: start-up, then the launcher's message loop.

#include <windows.h>

#include "core/entry_point.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Main();
    return 0;
}
