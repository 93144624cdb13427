#include "commands/launch.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/path_text.h"
#include "base/system.h"
#include "menulib/menu_abi.h"
#include "objlib/shortcut_link.h"

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

// The shell opens a shortcut by opening its target, a shortcut's shortcut
// by going on to the next, without end: a shortcut that names itself, or a
// ring of them, runs the shell out of stack and ends the program. A chain is
// followed here first, and one that does not end in a few links in a file
// that is no shortcut is refused.
constexpr size_t kMostShortcutsInAChain = 4;

bool IsShortcutPath(const std::wstring& path)
{
    constexpr wchar_t kExtension[] = L".lnk";
    constexpr size_t kLength = std::size(kExtension) - 1;
    return path.size() > kLength &&
           lstrcmpiW(path.c_str() + path.size() - kLength, kExtension) == 0;
}

std::wstring FullPathOf(const std::wstring& path)
{
    // The shell takes a file in quotes as the file itself.
    return FullPath(ExpandEnvironment(Unquote(path)));
}

bool EndsInAFile(const std::wstring& file)
{
    std::vector<std::wstring> followed;
    for (std::wstring at = FullPathOf(file); IsShortcutPath(at); ) {
        for (const std::wstring& before : followed) {
            if (lstrcmpiW(before.c_str(), at.c_str()) == 0)
                return false;
        }
        if (followed.size() == kMostShortcutsInAChain)
            return false;
        ShortcutLink link;
        // A shortcut that cannot be read is the shell's to report.
        if (!link.Load(at))
            return true;
        followed.push_back(std::move(at));
        at = FullPathOf(link.TargetPath);
    }
    return true;
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
    else if (!EndsInAFile(request.file))
        SetLastError(ERROR_CANT_RESOLVE_FILENAME);
    else if (shell32::ShellExecuteExW(&info))
        return;
    // The system's text may speak of "%1": the file that failed.
    const std::wstring text = LastErrorText(request.file);
    MsgBox(text, MB_OK | MB_ICONEXCLAMATION, request.owner, UiText(IDS_LAUNCH_FAILED_CAPTION).c_str());
}

std::wstring ExpandEnvironment(const std::wstring& text)
{
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD needed =
            ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0)
            return text;
        if (needed <= buffer.size())
            return std::wstring(buffer.data());
        buffer.assign(needed, L'\0');
    }
}

void PrepareLaunch() { shell32::ShellExecuteExW.Get(); }

std::wstring AnswerText(const char* buffer)
{
    const void* end = std::memchr(buffer, '\0', kMenuAnswerSize);
    const size_t length = end ? static_cast<const char*>(end) - buffer : kMenuAnswerSize;
    return FromAnsi(std::string(buffer, length));
}
