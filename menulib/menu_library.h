#pragma once
// The program's side of korvane.dll. The library is loaded by its full path
// from one folder (never through the search path, where another file of the
// same name could be found), once; when it is missing, broken or of another
// version than the program, the user is told, and the menus answer "nothing
// chosen".

#include <windows.h>

#include <string>

#include "base/win_handles.h"
#include "menulib/menu_abi.h"

class MenuLibrary {
public:
    // folder: where korvane.dll lives, ending in a separator.
    explicit MenuLibrary(std::wstring folder);

    // The library's ordinals 1 and 2, or 0 after the warning when the library
    // cannot be used. A failed load is tried again on the next call.
    int PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                         char* parameters, int x, int y, int dblClickAction);
    int PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file, char* parameters,
                      int x, int y);

    std::wstring Path() const { return folder_ + L"korvane.dll"; }
    bool Loaded() const { return static_cast<bool>(module_); }

private:
    bool Load(HWND owner);

    std::wstring folder_;
    UniqueModule module_;
    PopupCommandMenuFn commandMenu_ = nullptr;
    PopupItemMenuFn itemMenu_ = nullptr;
};

// The library in the program's folder (AppFolder), for the whole program.
int PopupCommandMenu(HWND owner, const CompiledMenuEntry* entries, int count, char* file,
                     char* parameters, int x, int y, int dblClickAction);
int PopupItemMenu(HWND owner, const CompiledMenuEntry* entry, char* file, char* parameters, int x,
                  int y);
// Whether the program's library is loaded: after a menu answered nothing,
// whether it was the library's menu or its failure.
bool ProgramMenuLibraryLoaded();
