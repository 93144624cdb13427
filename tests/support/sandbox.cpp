#include "tests/support/sandbox.h"

#include <shlwapi.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/win_handles.h"

RegistrySandbox::RegistrySandbox() { SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tessaly"); }

RegistrySandbox::~RegistrySandbox() { SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tessaly"); }

TempFolder::TempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"korvane-test-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::wstring BuildFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring UserProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsW(L"%LOCALAPPDATA%\\Korvane\\", path, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::wstring(path, length - 1) : std::wstring();
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int RunProgram(const std::wstring& commandLine, DWORD timeoutMs)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring mutableLine = commandLine;
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -2;
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    // Messages keep flowing meanwhile: the program may talk to our windows.
    const DWORD deadline = GetTickCount() + timeoutMs;
    const HANDLE waitFor = process.get();
    for (;;) {
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0) {
            TerminateProcess(process.get(), 1);
            return -1;
        }
        if (MsgWaitForMultipleObjects(1, &waitFor, FALSE, deadline - now, QS_ALLINPUT) ==
            WAIT_OBJECT_0)
            break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

bool StartUnixProgram(const std::wstring& path, const std::wstring& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    // Wine runs a program of the machine outside its Windows processes: no
    // process handle comes back, and what stands in the thread handle's
    // place then is no handle of ours to close.
    if (info.hProcess) {
        UniqueKernelHandle process(info.hProcess);
        UniqueKernelHandle thread(info.hThread);
    }
    return true;
}

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

UniqueHKey DesktopKey()
{
    UniqueHKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                    nullptr, key.put(), nullptr);
    return key;
}

void StoreLogPixels(const std::optional<DWORD>& dpi)
{
    const UniqueHKey key = DesktopKey();
    if (dpi)
        RegSetValueExW(key.get(), kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*dpi),
                       sizeof *dpi);
    else
        RegDeleteValueW(key.get(), kLogPixels);
}

}  // namespace

ScopedScreenResolution::ScopedScreenResolution(DWORD dpi)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(DesktopKey().get(), kLogPixels, nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        previous_ = value;
    StoreLogPixels(dpi);
}

ScopedScreenResolution::~ScopedScreenResolution() { StoreLogPixels(previous_); }

ScopedColourScheme::ScopedColourScheme(
    const std::vector<std::pair<std::wstring, std::wstring>>& colours)
{
    UniqueHKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Colors", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(), nullptr);
    for (const auto& [name, rgb] : colours) {
        wchar_t before[64] = L"";
        DWORD size = sizeof before - sizeof(wchar_t);
        DWORD type = 0;
        const bool had = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(before), &size) == ERROR_SUCCESS &&
                         type == REG_SZ;
        previous_.emplace_back(name, had ? std::optional<std::wstring>(before) : std::nullopt);
        RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(rgb.c_str()),
                       DWORD((rgb.size() + 1) * sizeof(wchar_t)));
    }
}

ScopedColourScheme::~ScopedColourScheme()
{
    UniqueHKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Colors", 0, KEY_SET_VALUE, key.put());
    for (const auto& [name, rgb] : previous_) {
        if (rgb)
            RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(rgb->c_str()),
                           DWORD((rgb->size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key.get(), name.c_str());
    }
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const std::optional<std::wstring>& value)
    : name_(name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size > 0) {
        std::wstring previous(size, L'\0');
        previous.resize(GetEnvironmentVariableW(name, previous.data(), size));
        previous_ = previous;
    }
    SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

ScopedEnvironment::~ScopedEnvironment()
{
    SetEnvironmentVariableW(name_, previous_ ? previous_->c_str() : nullptr);
}
