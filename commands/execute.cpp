// Launching one command: drag and key commands directly, a menu entry
// through the menu of that entry.
#include <windows.h>

#include <array>

#include "base/path_text.h"
#include "base/system.h"
#include "commands/command_kind.h"
#include "commands/compiled_menu.h"
#include "commands/launch.h"
#include "commands/shell_command.h"
#include "forms/screen.h"
#include "menulib/menu_library.h"

void ShellCommand::Execute(HWND hWnd, std::int32_t X, std::int32_t Y) const
{
    LaunchRequest request;
    request.owner = hWnd;
    if (kind_ == kMenuList) {
        const CompiledMenu entry({{DisplayCaption(), Program(), Argument()}});
        std::array<char, kMenuAnswerSize> file{}, parameters{};
        const int answer =
            PopupItemMenu(hWnd, entry.Table(), file.data(), parameters.data(), X, Y);
        if (answer != kMenuOpenAnswer)
            return;
        MenuChoice choice = entry.Choice(file.data(), parameters.data());
        if (choice.file.empty())
            return;
        request.file = std::move(choice.file);
        request.parameters = std::move(choice.parameters);
        request.show = SW_SHOW;
    } else {
        if (program_.empty()) {
            MessageBeep(MB_OK);
            return;
        }
        request.file = program_;
        request.parameters = arguments_;
        // The shell takes a folder in quotes for no folder at all and starts
        // the program elsewhere; a folder never holds a quote of its own.
        request.directory = Unquote(workDir_);
        request.show = GetShowCommand();
    }
    // The hourglass stays until any error box is closed.
    WaitPointer wait;
    Launch(request);
}
