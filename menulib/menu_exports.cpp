// korvane.dll: the popup command menu and the menu of one menu entry,
// exported by ordinal only (see korvane.def).

#include <type_traits>

#include "menulib/menu_abi.h"
#include "menulib/menu_session.h"

extern "C" {

int WINAPI PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                            char* parameters, int x, int y, int dblClickAction)
{
    // Nothing may escape into the caller, which knows no C++ exceptions.
    try {
        MenuSession session;
        for (int i = 0; entries && i < count; ++i)
            session.AppendEntry(entries[i]);
        session.AppendBuiltInActions(dblClickAction);
        return session.Track(owner, x, y, file, parameters);
    } catch (...) {
        return 0;
    }
}

int WINAPI PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file, char* parameters,
                         int x, int y)
{
    if (!entry)
        return 0;
    try {
        MenuSession session;
        session.PresentEntry(*entry);
        return session.Track(owner, x, y, file, parameters);
    } catch (...) {
        return 0;
    }
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&PopupCommandMenu), PopupCommandMenuFn>);
static_assert(std::is_same_v<decltype(&PopupItemMenu), PopupItemMenuFn>);
