#include "forms/window_name.h"

namespace {

constexpr wchar_t kNameProperty[] = L"Name";

struct Search {
    const std::wstring* name;
    const std::wstring* text;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (WindowNameOf(window) != *search.name)
        return TRUE;
    if (!search.text->empty() && WindowText(window) != *search.text)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

void AttachWindowName(HWND window, const std::wstring& name)
{
    DetachWindowName(window);
    const ATOM atom = GlobalAddAtomW(name.c_str());
    if (atom == 0)
        return;
    if (!SetPropW(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom))))
        GlobalDeleteAtom(atom);
}

void DetachWindowName(HWND window)
{
    const HANDLE held = RemovePropW(window, kNameProperty);
    if (held)
        GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(held)));
}

std::wstring WindowNameOf(HWND window)
{
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(window, kNameProperty)));
    if (atom == 0)
        return {};
    wchar_t name[256];
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return std::wstring(name, length);
}

HWND FindNamedWindow(const std::wstring& name, const std::wstring& text)
{
    Search search{&name, &text};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}
