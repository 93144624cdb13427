#pragma once
// The pad's command menu: every menu entry and the pad's built-in actions.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "commands/compiled_menu.h"

// Shows the menu at the pointer, owned by the pad, and opens the chosen
// entry or runs the chosen built-in action (1 desktop toggle, 2 settings,
// 3 exit) through runPadAction. menuOpen is true from the start until the
// chosen action has returned; it must outlive the call.
void ShowCommandMenu(HWND pad, const CompiledMenu& menuTable, std::int32_t dblClickCommand,
                     bool& menuOpen, const std::function<void(std::int32_t action)>& runPadAction);
