#pragma once
// Drives the library's real popup menus as a user would: an owner window on
// the screen, and steps that run while the menu waits for input. Each step
// reads the open menus (MN_GETHMENU on the "#32768" windows) and posts keys;
// the next step runs after the menu has handled those keys.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct MenuItemView {
    std::wstring text;
    bool separator = false;
    bool grayed = false;
    bool isDefault = false;
    bool highlighted = false;
    HMENU submenu = nullptr;
};

struct OpenMenu {
    HWND window = nullptr;
    HMENU menu = nullptr;
    RECT bounds{};  // on the screen
    std::vector<MenuItemView> items;

    // The texts in order, separators as "-".
    std::vector<std::wstring> Texts() const;
    // Index of the item with this text, or -1.
    int IndexOf(const std::wstring& text) const;
};

// The items of a menu whether or not it is on screen.
std::vector<MenuItemView> ReadMenu(HMENU menu);

class MenuDriver {
public:
    MenuDriver();
    ~MenuDriver();
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    HWND Owner() const { return owner_; }
    // Also drives the menus that another window of this thread owns (one
    // window per driver, until the driver ends).
    void Watch(HWND menuOwner);

    // Adds a step. Steps run in order once the menu is open.
    MenuDriver& Then(std::function<void(MenuDriver&)> step);

    // Within a step: the open menus, the top one first.
    std::vector<OpenMenu> OpenMenus() const;
    // The innermost open menu (the one keys go to).
    OpenMenu Innermost() const;
    // Posts key presses to the menu.
    void Press(UINT key, int times = 1);
    // Moves the highlight of the innermost menu to item `index` with the arrow keys.
    void HighlightItem(int index);
    // Highlights the item of the innermost menu with this text and presses Return.
    void Choose(const std::wstring& text);
    // Highlights the item with this text and opens its submenu.
    void OpenSubmenu(const std::wstring& text);

    // True when every step ran and no step found the menu missing.
    bool AllStepsRan() const { return steps_.empty() && !timedOut_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ForwardMenuMessages(int code, WPARAM wParam, LPARAM lParam);
    void RunStep();
    bool HighlightText(const std::wstring& text);

    HWND owner_ = nullptr;
    HWND watched_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<std::function<void(MenuDriver&)>> steps_;
    bool running_ = false;
    bool timedOut_ = false;
};
