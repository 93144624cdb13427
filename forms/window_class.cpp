#include "forms/window_class.h"

#include <map>
#include <string>
#include <system_error>

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
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "window class");
    registered[className] = atom;
    return atom;
}
