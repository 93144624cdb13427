#include "commands/launch.h"

#include <cstring>

#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/path_text.h"
#include "base/system.h"
#include "menulib/menu_abi.h"

namespace {

const wchar_t* TextOrNone(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// Characters of the text once the shell has expanded its %NAME% references.
size_t ExpandedLength(const std::wstring& text)
{
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    return needed > 0 ? needed - 1 : text.size();
}

// Whether the platform can start the request at all: a command line holds
// at most 32767 characters with its end, a current folder MAX_PATH with its
// separator and end. Beyond that a shell may cut the text short and start
// something else than the user stored, or fail in its own way.
bool WithinPlatformLimits(const LaunchRequest& request)
{
    constexpr size_t kCommandLineLimit = 32767;
    const size_t commandLine = ExpandedLength(request.file) + 2 + 1 + request.parameters.size();
    const bool separatorTyped = EndsWithSeparator(request.directory);
    const size_t folder = request.directory.empty()
                              ? 0
                              : ExpandedLength(request.directory) - (separatorTyped ? 1 : 0);
    return commandLine < kCommandLineLimit && folder <= MAX_PATH - 2;
}

}  // namespace

void Launch(const LaunchRequest& request)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
    info.hwnd = request.owner;
    info.lpVerb = L"Open";
    info.lpFile = request.file.c_str();
    info.lpParameters = TextOrNone(request.parameters);
    info.lpDirectory = TextOrNone(request.directory);
    info.nShow = request.show;
    if (!WithinPlatformLimits(request))
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    else if (shell32::ShellExecuteExW(&info))
        return;
    const std::wstring text = LastErrorText();
    MsgBox(text, MB_OK | MB_ICONEXCLAMATION, request.owner, UiText(IDS_LAUNCH_FAILED_CAPTION).c_str());
}

void PrepareLaunch() { shell32::ShellExecuteExW.Get(); }

std::wstring AnswerText(const char* buffer)
{
    const void* end = std::memchr(buffer, '\0', kMenuAnswerSize);
    const size_t length = end ? static_cast<const char*>(end) - buffer : kMenuAnswerSize;
    return FromAnsi(std::string(buffer, length));
}
