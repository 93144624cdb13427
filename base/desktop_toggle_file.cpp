#include "base/desktop_toggle_file.h"

#include <windows.h>

#include "base/win_handles.h"

namespace {

constexpr char kContent[] = "[Shell]\r\nCommand=2\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";

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
