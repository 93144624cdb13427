#include "commands/command_menu.h"

#include <array>

#include "base/scope_exit.h"
#include "commands/launch.h"
#include "commands/plain_command_menu.h"
#include "menulib/menu_library.h"

void ShowCommandMenu(HWND pad, const CompiledMenu& menuTable, std::int32_t dblClickCommand,
                     bool& menuOpen, const std::function<void(std::int32_t action)>& runPadAction)
{
    menuOpen = true;
    const ScopeExit closed([&] { menuOpen = false; });
    POINT pointer{};
    GetCursorPos(&pointer);
    std::array<char, kMenuAnswerSize> file{}, parameters{};
    int answer =
        PopupCommandMenu(pad, menuTable.Table(), menuTable.Count(), file.data(), parameters.data(),
                         pointer.x, pointer.y, dblClickCommand);
    MenuChoice choice;
    if (answer == kMenuOpenAnswer)
        choice = menuTable.Choice(file.data(), parameters.data());
    if (answer == 0 && !ProgramMenuLibraryLoaded()) {
        // The library has said why it could not show its menu; the
        // program's own menu keeps the entries and actions in reach.
        PlainMenuChoice plain = PopupPlainCommandMenu(pad, menuTable, dblClickCommand, pointer);
        answer = plain.action;
        choice = std::move(plain.open);
    }
    // An answer without a file would have the shell open whatever it makes
    // of an empty name.
    if (!choice.file.empty())
        Launch({pad, std::move(choice.file), std::move(choice.parameters), L"", SW_SHOW});
    else if (answer >= 1 && answer <= 3)
        runPadAction(answer);
}
