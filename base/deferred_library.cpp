#include "base/deferred_library.h"

#include <string>

HMODULE DeferredLibrary::Module()
{
    if (module_)
        return module_;
    // By its full path: never a file of the same name found along the search path.
    std::wstring path(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        path.resize(length);
        length = GetSystemDirectoryW(path.data(), length);
    }
    if (length == 0)
        return nullptr;
    path.resize(length);
    path += L'\\';
    path += fileName_;
    module_ = LoadLibraryW(path.c_str());
    return module_;
}

FARPROC DeferredLibrary::Address(const char* function)
{
    const HMODULE module = Module();
    return module ? GetProcAddress(module, function) : nullptr;
}
