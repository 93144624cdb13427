#include "forms/window_class.h"

#include <map>
#include <string>

#include "base/interface_text.h"
#include "base/numbered_error.h"

ATOM RegisterFormsClass(const wchar_t* className, WNDPROC procedure, HCURSOR cursor)
{
    static std::map<std::wstring, ATOM> registered;
    if (const auto it = registered.find(className); it != registered.end())
        return it->second;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // Double-clicks become events of their own.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = className;
    const ATOM atom = RegisterClassExW(&windowClass);
    if (atom == 0)
        throw NumberedError(static_cast<std::int32_t>(GetLastError()), UiText(IDS_CLASS_NOT_REGISTERED, {className}));
    registered[className] = atom;
    return atom;
}
