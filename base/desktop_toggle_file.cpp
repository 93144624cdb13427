#include "base/desktop_toggle_file.h"

#include <windows.h>
#include <shlobj.h>

#include "base/deferred_imports.h"
#include "base/program_values.h"
#include "base/win_handles.h"

namespace {

constexpr char kContent[] = "[Shell]\r\nCommand=2\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";

// Where start-up wrote the file when AppFolder refused it; empty otherwise.
std::wstring userFolderInUse;

// %LOCALAPPDATA%\Korvane\, made when missing; empty when the system names no
// such folder or it cannot be made.
std::wstring UserFolder()
{
    wchar_t base[MAX_PATH];
    if (FAILED(shell32::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, base)))
        return {};
    const std::wstring folder = std::wstring(base) + L"\\Korvane\\";
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    return folder;
}

}  // namespace

bool WriteDesktopToggleFile(const std::wstring& folder)
{
    const std::wstring path = folder + kDesktopToggleFileName;
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const DWORD size = sizeof kContent - 1;
    return WriteFile(file.get(), kContent, size, &written, nullptr) && written == size;
}

void DeleteDesktopToggleFile(const std::wstring& folder)
{
    DeleteFileW((folder + kDesktopToggleFileName).c_str());
}

void PlaceDesktopToggleFile()
{
    userFolderInUse.clear();
    if (WriteDesktopToggleFile(AppFolder))
        return;
    const std::wstring folder = UserFolder();
    if (!folder.empty() && WriteDesktopToggleFile(folder))
        userFolderInUse = folder;
}

std::wstring DesktopToggleFolder() { return userFolderInUse.empty() ? AppFolder : userFolderInUse; }

void RemoveDesktopToggleFile()
{
    DeleteDesktopToggleFile(DesktopToggleFolder());
    if (!userFolderInUse.empty())
        RemoveDirectoryW(userFolderInUse.c_str());
}
