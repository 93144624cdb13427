#pragma once
// One popup menu from its first item to the answer: what each item answers,
// and the folder submenus that are listed only when they open, so that a
// deep tree costs nothing until the user walks into it.

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "menulib/menu_abi.h"

class MenuSession {
public:
    MenuSession();
    ~MenuSession();
    MenuSession(const MenuSession&) = delete;
    MenuSession& operator=(const MenuSession&) = delete;

    // One menu entry as a row of the menu: a separator for the caption "-",
    // a submenu for a folder, otherwise an item answering the entry's program
    // and arguments.
    void AppendEntry(const CompiledMenuEntry& entry);
    // The entry as the whole menu: a folder's own menu, or its single row.
    void PresentEntry(const CompiledMenuEntry& entry);
    // The pad's actions 1 to 3; the one a double-click runs is the default item.
    void AppendBuiltInActions(int doubleClickAction);

    // Shows the menu at x, y (screen pixels) and waits for the user. Answers
    // 1 to 3 for a built-in action, kMenuOpenAnswer with the buffers filled
    // for something to open, 0 for nothing.
    int Track(HWND owner, int x, int y, char* file, char* parameters);

private:
    struct Answer {
        std::string file;
        std::string parameters;
    };

    void AppendChoice(HMENU menu, const std::wstring& text, std::optional<Answer> answer);
    // nullopt: shown, but it cannot be chosen.
    static std::optional<Answer> BrowsedAnswer(const std::wstring& path);
    void AppendFolderHead(HMENU menu, const std::wstring& folder,
                          const std::optional<Answer>& openItself);
    HMENU FolderSubmenu(const std::wstring& folder, const std::optional<Answer>& openItself);
    void ListPendingFolder(HMENU menu);
    static LRESULT CALLBACK WatchMenus(int code, WPARAM wParam, LPARAM lParam);

    UniqueMenu menu_;
    std::vector<Answer> answers_;                  // item id kFirstAnswerId + index
    std::map<HMENU, std::wstring> pendingFolders_;  // submenus not listed yet
    MenuSession* outer_ = nullptr;                 // the session tracked before this one
};
