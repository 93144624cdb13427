#include "base/system.h"

#include <vector>

#include "base/win_handles.h"

bool FileExists(const std::wstring& path)
{
    if (path.empty())
        return false;
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return static_cast<bool>(file);
}

std::wstring ProgramPath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return buffer.substr(0, length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring LastErrorText()
{
    const DWORD code = GetLastError();
    std::vector<wchar_t> buffer(4096, L'\0');
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer.data(),
                                        static_cast<DWORD>(buffer.size() - 1), nullptr);
    if (length == 0)
        return {};
    return std::wstring(buffer.data());
}

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                            nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::optional<std::string> ExactAnsi(const std::wstring& text)
{
    std::string ansi = ToAnsi(text);
    // Best-fit mappings (é -> e) and the default character both change the
    // text; only a round trip tells them from a faithful conversion.
    if (FromAnsi(ansi) != text)
        return std::nullopt;
    return ansi;
}

int MsgBox(const std::wstring& text, UINT style, HWND owner, const wchar_t* caption)
{
    return MessageBoxW(IsWindow(owner) ? owner : nullptr, text.c_str(), caption, style);
}
