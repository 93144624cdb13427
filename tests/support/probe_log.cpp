#include "tests/support/probe_log.h"

#include "base/win_handles.h"
#include "tests/support/message_pump.h"
#include "tests/support/sandbox.h"

namespace {

struct ChangeTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { ::FindCloseChangeNotification(h); }
};

constexpr wchar_t kVariable[] = L"KORVANE_PROBE_LOG";

}  // namespace

std::wstring ProbeProgramPath() { return BuildFolder() + L"korvane_probe.exe"; }

std::vector<ProbeRecord> ReadProbeLog(const std::wstring& path)
{
    const std::string bytes = ReadFileBytes(path);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return DecodeProbeLog(text);
}

std::vector<ProbeRecord> WaitForProbeRecords(const std::wstring& path, size_t count,
                                             DWORD timeoutMs)
{
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    UniqueHandle<HANDLE, ChangeTraits> change(FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    const DWORD start = GetTickCount();
    for (;;) {
        std::vector<ProbeRecord> records = ReadProbeLog(path);
        const DWORD elapsed = GetTickCount() - start;
        if (records.size() >= count || elapsed >= timeoutMs)
            return records;
        // Woken by a change in the folder or a message; the short cap also
        // covers a change that came between the read and the wait.
        const HANDLE handle = change.get();
        const DWORD result = MsgWaitForMultipleObjects(change ? 1 : 0, change ? &handle : nullptr,
                                                       FALSE, 50, QS_ALLINPUT);
        if (change && result == WAIT_OBJECT_0)
            FindNextChangeNotification(change.get());
        PumpFor(0);
    }
}

ProbeLogScope::ProbeLogScope(const std::wstring& folder)
    : path_(folder + L"probe.log"), variable_(kVariable, path_)
{
}
