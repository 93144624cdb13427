#include "settings/whole_file_write.h"

#include <algorithm>
#include <cwchar>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"
#include "base/win_handles.h"

namespace {

[[noreturn]] void Fail(UINT failureText, const std::wstring& file, DWORD error)
{
    SetLastError(error);
    throw NumberedError(kErrInvalidValue, UiText(failureText, {file}) + L"\r\n\r\n" + LastErrorText());
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

// Made new, never opened over a file that is there: the process's id and a
// count make its name, and a name taken is passed over.
UniqueKernelHandle CreateTemporary(const std::wstring& folder, std::wstring& name)
{
    static LONG count = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        wchar_t unique[48];
        std::swprintf(unique, std::size(unique), L"~korvane-%lx-%lx.tmp", GetCurrentProcessId(),
                      static_cast<unsigned long>(InterlockedIncrement(&count) + GetTickCount()));
        name = folder + unique;
        UniqueKernelHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (file || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return file;
    }
    return {};
}

// 0, or the reason the bytes are not all on the disk. A write that takes
// fewer bytes than it was given says nothing of why; the next one says it.
DWORD WriteAndFlush(HANDLE file, std::string_view bytes)
{
    constexpr std::size_t kChunk = 1 << 20;
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        if (!WriteFile(file, bytes.data(), size, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_DISK_FULL;
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

// Removes the temporary file on every way out but the move.
class Temporary {
public:
    explicit Temporary(std::wstring name) : name_(std::move(name)) {}
    ~Temporary()
    {
        if (!name_.empty())
            DeleteFileW(name_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const std::wstring& Name() const { return name_; }
    void Moved() { name_.clear(); }

private:
    std::wstring name_;
};

}  // namespace

void WriteWholeFile(const std::wstring& path, std::string_view bytes, UINT failureText)
{
    const std::wstring folder = FolderOf(path);
    std::wstring name;
    UniqueKernelHandle file = CreateTemporary(folder, name);
    if (!file)
        Fail(failureText, folder.empty() ? path : folder, GetLastError());
    Temporary temporary(name);
    const DWORD written = WriteAndFlush(file.get(), bytes);
    file.reset();
    if (written != 0)
        Fail(failureText, path, written);
    // Hidden only while it is being written: the file it becomes is not.
    if (!SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL) ||
        !MoveFileExW(name.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail(failureText, path, GetLastError());
    temporary.Moved();
}
