#pragma once
// The window classes of the forms layer, registered once per process.

#include <windows.h>

// Registers the class on the first call and returns its atom; every later
// call returns the same atom. Throws when the class cannot be registered.
ATOM RegisterFormsClass(const wchar_t* className, WNDPROC procedure, HCURSOR cursor = nullptr);
