#include "tests/support/menu_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/message_pump.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"KorvaneMenuTestOwner";
constexpr UINT kNextStep = WM_APP + 1;
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 10000;

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM param)
{
    wchar_t cls[16];
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The driver whose Watch hook runs now.
MenuDriver* watching = nullptr;

}  // namespace

std::vector<std::wstring> OpenMenu::Texts() const
{
    std::vector<std::wstring> texts;
    for (const MenuItemView& item : items)
        texts.push_back(item.separator ? L"-" : item.text);
    return texts;
}

int OpenMenu::IndexOf(const std::wstring& text) const
{
    for (size_t i = 0; i < items.size(); ++i)
        if (!items[i].separator && items[i].text == text)
            return static_cast<int>(i);
    return -1;
}

std::vector<MenuItemView> ReadMenu(HMENU menu)
{
    std::vector<MenuItemView> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 1024;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        MenuItemView item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.text = item.separator ? L"" : text;
        item.grayed = (info.fState & MFS_GRAYED) != 0;
        item.isDefault = (info.fState & MFS_DEFAULT) != 0;
        item.highlighted = (info.fState & MFS_HILITE) != 0;
        item.submenu = info.hSubMenu;
        items.push_back(item);
    }
    return items;
}

MenuDriver::MenuDriver()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kOwnerClass;
    RegisterClassW(&wc);  // fails harmlessly when a previous driver registered it
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"menu owner", WS_POPUP | WS_VISIBLE,
                             10, 10, 40, 40, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MenuDriver::~MenuDriver()
{
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        watching = nullptr;
    }
    DestroyWindow(owner_);
    // The library posts WM_NULL to its owner; nothing of ours stays queued.
    PumpFor(0);
}

MenuDriver& MenuDriver::Then(std::function<void(MenuDriver&)> step)
{
    steps_.push_back(std::move(step));
    return *this;
}

void MenuDriver::Watch(HWND menuOwner)
{
    watched_ = menuOwner;
    watching = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, ForwardMenuMessages, nullptr, GetCurrentThreadId());
}

// The menu loop tells its owner when it starts, idles and ends: the watched
// window's copies go to the driver's own window too.
LRESULT CALLBACK MenuDriver::ForwardMenuMessages(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && watching && sent->hwnd == watching->watched_ &&
        (sent->message == WM_ENTERMENULOOP || sent->message == WM_EXITMENULOOP ||
         sent->message == WM_ENTERIDLE))
        SendMessageW(watching->owner_, sent->message, sent->wParam, sent->lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuDriver::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* driver = reinterpret_cast<MenuDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (driver) {
        if (message == WM_ENTERMENULOOP)
            SetTimer(window, kGiveUpTimer, kGiveUpMs, nullptr);
        if (message == WM_EXITMENULOOP) {
            KillTimer(window, kGiveUpTimer);
            driver->running_ = false;  // the next menu starts its steps afresh
        }
        // The first idle moment of a menu starts the steps; later steps follow
        // the keys their predecessor posted.
        if ((message == WM_ENTERIDLE && wParam == MSGF_MENU && !driver->running_) ||
            message == kNextStep) {
            driver->running_ = true;
            driver->RunStep();
            return 0;
        }
        if (message == WM_TIMER && wParam == kGiveUpTimer) {
            // A menu that no step closed: end it, so that the test fails
            // instead of waiting for ever.
            driver->timedOut_ = true;
            EndMenu();
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MenuDriver::RunStep()
{
    if (steps_.empty())
        return;
    if (OpenMenus().empty()) {
        timedOut_ = true;
        return;
    }
    const auto step = steps_.front();
    steps_.erase(steps_.begin());
    step(*this);
    if (!steps_.empty())
        PostMessageW(owner_, kNextStep, 0, 0);
}

std::vector<OpenMenu> MenuDriver::OpenMenus() const
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<OpenMenu> open;
    for (HWND window : windows) {
        OpenMenu menu;
        menu.window = window;
        menu.menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        menu.items = ReadMenu(menu.menu);
        GetWindowRect(window, &menu.bounds);
        open.push_back(std::move(menu));
    }
    // Order by nesting: the top menu is nobody's submenu, each next one is a
    // submenu of the one before.
    std::vector<OpenMenu> ordered;
    auto isSubmenuOfAny = [&](HMENU m) {
        return std::any_of(open.begin(), open.end(), [&](const OpenMenu& o) {
            return std::any_of(o.items.begin(), o.items.end(),
                               [&](const MenuItemView& i) { return i.submenu == m; });
        });
    };
    auto top = std::find_if(open.begin(), open.end(),
                            [&](const OpenMenu& o) { return !isSubmenuOfAny(o.menu); });
    while (top != open.end()) {
        ordered.push_back(*top);
        const OpenMenu& parent = ordered.back();
        top = std::find_if(open.begin(), open.end(), [&](const OpenMenu& o) {
            return std::any_of(parent.items.begin(), parent.items.end(),
                               [&](const MenuItemView& i) { return i.submenu == o.menu; });
        });
    }
    return ordered;
}

OpenMenu MenuDriver::Innermost() const
{
    const std::vector<OpenMenu> open = OpenMenus();
    return open.empty() ? OpenMenu{} : open.back();
}

void MenuDriver::Press(UINT key, int times)
{
    const HWND menu = Innermost().window;
    for (int i = 0; i < times; ++i) {
        PostMessageW(menu, WM_KEYDOWN, key, 1);
        PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
    }
}

void MenuDriver::HighlightItem(int index)
{
    const OpenMenu menu = Innermost();
    const auto& items = menu.items;
    int current = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].highlighted)
            current = static_cast<int>(i);
    // The arrow keys step over separators only.
    auto steps = [&](int from, int to) {
        int n = 0;
        for (int i = from; i <= to; ++i)
            n += items[i].separator ? 0 : 1;
        return n;
    };
    if (index > current)
        Press(VK_DOWN, steps(current + 1, index));
    else if (index < current)
        Press(VK_UP, steps(index, current - 1));
}

bool MenuDriver::HighlightText(const std::wstring& text)
{
    const int index = Innermost().IndexOf(text);
    if (index < 0) {
        ADD_FAILURE() << "no menu item \"" << ::testing::PrintToString(text) << "\"";
        EndMenu();
        return false;
    }
    HighlightItem(index);
    return true;
}

void MenuDriver::Choose(const std::wstring& text)
{
    if (HighlightText(text))
        Press(VK_RETURN);
}

void MenuDriver::OpenSubmenu(const std::wstring& text)
{
    if (HighlightText(text))
        Press(VK_RIGHT);
}
