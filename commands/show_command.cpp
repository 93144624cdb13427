#include "commands/show_command.h"

std::int32_t ShowCommandOf(std::int32_t windowState, bool setFocus)
{
    switch (windowState) {
    case kStateAutomatic: return setFocus ? 5 : 8;   // SW_SHOW, SW_SHOWNA
    case kStateNormal: return setFocus ? 1 : 4;      // SW_SHOWNORMAL, SW_SHOWNOACTIVATE
    case kStateMaximized: return 3;                  // SW_SHOWMAXIMIZED activates always
    case kStateMinimized: return setFocus ? 2 : 7;   // SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE
    default: return 0;                               // SW_HIDE
    }
}

WindowStateAndFocus WindowStateOfShowCommand(std::int32_t showCommand)
{
    switch (showCommand) {
    case 1: return {kStateNormal, true};
    case 2: return {kStateMinimized, true};
    case 3: return {kStateMaximized, true};
    case 4: return {kStateNormal, false};
    case 5: return {kStateAutomatic, true};
    case 6: return {kStateMinimized, false};  // SW_MINIMIZE leaves the focus elsewhere
    case 7: return {kStateMinimized, false};
    case 8: return {kStateAutomatic, false};
    default: return {kStateMaximized, true};
    }
}
