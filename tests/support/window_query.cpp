#include "tests/support/window_query.h"

#include <commctrl.h>

#include "forms/window_name.h"

namespace {

struct NameSearch {
    const std::wstring* name;
    HWND found;
};

BOOL CALLBACK MatchName(HWND child, LPARAM param)
{
    auto& search = *reinterpret_cast<NameSearch*>(param);
    if (WindowNameOf(child) != *search.name)
        return TRUE;
    search.found = child;
    return FALSE;
}

struct ToolTipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchToolTip(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<ToolTipSearch*>(param);
    if (ClassOf(window) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == search.owner) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ChildNamed(HWND parent, const std::wstring& name)
{
    NameSearch search{&name, nullptr};
    EnumChildWindows(parent, MatchName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    constexpr UINT kFlags = SMTO_ABORTIFHUNG;
    constexpr UINT kTimeoutMs = 5000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, kFlags, kTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             kFlags, kTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::wstring ToolTipOf(HWND form, HWND control)
{
    ToolTipSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchToolTip, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return L"<no tool-tip control>";
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(search.found, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

RECT BoundsInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::wstring> ListLines(HWND list)
{
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(line);
    }
    return lines;
}
