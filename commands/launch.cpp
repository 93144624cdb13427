#include "commands/launch.h"

#include <shellapi.h>

#include <cstring>

#include "core/system.h"
#include "menulib/menu_abi.h"

namespace {

const wchar_t* TextOrNone(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

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
    if (ShellExecuteExW(&info))
        return;
    const std::wstring text = LastErrorText();
    MessageBoxW(IsWindow(request.owner) ? request.owner : nullptr, text.c_str(), L"Error",
                MB_OK | MB_ICONEXCLAMATION);
}

std::wstring AnswerText(const char* buffer)
{
    const void* end = std::memchr(buffer, '\0', kMenuAnswerSize);
    const size_t length = end ? static_cast<const char*>(end) - buffer : kMenuAnswerSize;
    return FromAnsi(std::string(buffer, length));
}
