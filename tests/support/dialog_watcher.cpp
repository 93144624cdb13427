#include "tests/support/dialog_watcher.h"

#include <algorithm>

namespace {

DialogWatcher* current = nullptr;

BOOL CALLBACK FindIcon(HWND child, LPARAM param)
{
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    auto& result = *reinterpret_cast<BoxIcon*>(param);
    if (icon == LoadIconW(nullptr, IDI_EXCLAMATION))
        result = BoxIcon::Exclamation;
    else if (icon == LoadIconW(nullptr, IDI_HAND))
        result = BoxIcon::Error;
    else if (icon == LoadIconW(nullptr, IDI_ASTERISK))
        result = BoxIcon::Information;
    else if (icon == LoadIconW(nullptr, IDI_QUESTION))
        result = BoxIcon::Question;
    else
        result = BoxIcon::Other;
    return FALSE;
}

// The box's message is its longest static text.
BOOL CALLBACK FindLongestText(HWND child, LPARAM param)
{
    wchar_t cls[16];
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Static") != 0)
        return TRUE;
    const int length = GetWindowTextLengthW(child);
    std::wstring value(length + 1, L'\0');
    GetWindowTextW(child, value.data(), length + 1);
    value.resize(length);
    auto& best = *reinterpret_cast<std::wstring*>(param);
    if (value.size() > best.size())
        best = value;
    return TRUE;
}

// A message box holds texts, its icon and buttons only; the common dialogs
// (files, folders) hold lists, trees and edit fields, and a test drives
// those itself.
BOOL CALLBACK FindOtherThanBoxPart(HWND child, LPARAM param)
{
    wchar_t cls[16];
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Static") == 0 || lstrcmpiW(cls, L"Button") == 0)
        return TRUE;
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
}

bool IsMessageBox(HWND window)
{
    wchar_t cls[16];
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") != 0)
        return false;
    bool other = false;
    EnumChildWindows(window, FindOtherThanBoxPart, reinterpret_cast<LPARAM>(&other));
    return !other;
}

}  // namespace

DialogWatcher::DialogWatcher(int button)
    : button_(button),
      hook_(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())),
      previous_(current)
{
    current = this;
}

DialogWatcher::~DialogWatcher()
{
    UnhookWindowsHookEx(hook_);
    current = previous_;
}

LRESULT CALLBACK DialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && current) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window))
            current->Answer(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogWatcher::Answer(HWND box)
{
    // A box activated again (after another window had the focus) is answered once.
    std::erase_if(answered_, [](HWND w) { return !IsWindow(w); });
    if (std::find(answered_.begin(), answered_.end(), box) != answered_.end())
        return;
    answered_.push_back(box);

    ShownBox shown = ReadBox(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
    boxes_.push_back(std::move(shown));
}

ShownBox ReadBox(HWND box)
{
    ShownBox shown;
    const int length = GetWindowTextLengthW(box);
    shown.caption.resize(length + 1);
    GetWindowTextW(box, shown.caption.data(), length + 1);
    shown.caption.resize(length);
    EnumChildWindows(box, FindLongestText, reinterpret_cast<LPARAM>(&shown.text));
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&shown.icon));
    return shown;
}
