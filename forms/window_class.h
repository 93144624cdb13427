#pragma once
// The window classes of the forms layer, registered once per process.

#include <windows.h>

// The class of every form's window, the pad's among them. Other programs find
// the pad by it (with its title); every version has kept it.
inline constexpr wchar_t kFormWindowClass[] = L"KorvaneForm";

// Registers the class on the first call and returns its atom; every later
// call returns the same atom. Throws when the class cannot be registered.
ATOM RegisterFormsClass(const wchar_t* className, WNDPROC procedure, HCURSOR cursor = nullptr);
