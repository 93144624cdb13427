#include "menulib/folder_listing.h"

#include <windows.h>

#include <algorithm>

#include "base/deferred_imports.h"
#include "base/path_text.h"
#include "base/win_handles.h"

namespace {

struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

bool LogicalLess(const std::wstring& a, const std::wstring& b)
{
    return shlwapi::StrCmpLogicalW(a.c_str(), b.c_str()) < 0;
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    return EndsWithSeparator(folder) ? folder + name : folder + L"\\" + name;
}

FolderListing ListFolder(const std::wstring& folder)
{
    FolderListing listing;
    WIN32_FIND_DATAW found;
    UniqueHandle<HANDLE, FindTraits> search(
        FindFirstFileW(JoinPath(folder, L"*").c_str(), &found));
    if (!search)
        return listing;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            listing.folders.push_back(name);
        else
            listing.files.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    std::sort(listing.folders.begin(), listing.folders.end(), LogicalLess);
    std::sort(listing.files.begin(), listing.files.end(), LogicalLess);
    return listing;
}
