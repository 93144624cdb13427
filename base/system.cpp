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

std::wstring FullPath(const std::wstring& path)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return buffer.substr(0, length);
        buffer.resize(length);
    }
}

namespace {

std::wstring SystemText(DWORD code, DWORD flags, const DWORD_PTR* arguments)
{
    std::vector<wchar_t> buffer(4096, L'\0');
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | flags, nullptr, code, 0, buffer.data(),
                       static_cast<DWORD>(buffer.size() - 1),
                       reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
    if (length == 0)
        return {};
    return std::wstring(buffer.data());
}

enum class Inserts { None, FirstOnly, Others };

// A system text's inserts. Only a text whose every insert is a bare %1 can
// be filled from one argument: %2, or %1 with a format of its own (%1!d!),
// would read arguments that are not there.
Inserts InsertsOf(const std::wstring& text)
{
    Inserts found = Inserts::None;
    for (size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size();
         at = text.find(L'%', at + 2)) {
        const wchar_t digit = text[at + 1];
        if (digit < L'1' || digit > L'9')
            continue;  // %%, %n, %0 and the like are no inserts
        const wchar_t after = at + 2 < text.size() ? text[at + 2] : L'\0';
        if (digit != L'1' || (after >= L'0' && after <= L'9') || after == L'!')
            return Inserts::Others;
        found = Inserts::FirstOnly;
    }
    return found;
}

}  // namespace

std::wstring LastErrorText()
{
    return SystemText(GetLastError(), FORMAT_MESSAGE_IGNORE_INSERTS, nullptr);
}

std::wstring LastErrorText(const std::wstring& insert)
{
    const DWORD code = GetLastError();
    const std::wstring text = SystemText(code, FORMAT_MESSAGE_IGNORE_INSERTS, nullptr);
    switch (InsertsOf(text)) {
    case Inserts::None:
        return text;
    case Inserts::FirstOnly: {
        const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(insert.c_str())};
        const std::wstring filled = SystemText(code, FORMAT_MESSAGE_ARGUMENT_ARRAY, arguments);
        if (!filled.empty())
            return filled;
        break;
    }
    case Inserts::Others:
        break;
    }
    // The placeholders stay; the user still learns what they stand for.
    const bool broken = !text.empty() && text.back() == L'\n';
    return text + (broken ? L"" : L"\r\n") + insert;
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

bool JapaneseKeyboard()
{
    constexpr int kJapaneseKeyboardType = 7;
    return GetKeyboardType(0) == kJapaneseKeyboardType;
}
