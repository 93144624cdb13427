#include "settings/settings_store.h"

#include <windows.h>

#include <optional>

#include "base/attempt.h"
#include "base/interface_text.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "base/window_boundary.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"
#include "settings/settings_transfer.h"

namespace {

std::wstring portableFile;
// The reader's message from the last read that could not read the file.
std::wstring unreadable;
// A write of the file failed and the user was told so in this run.
bool writeFailureTold = false;

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

bool Portable() { return !portableFile.empty(); }

// Which version of the file is there: every write puts a new file in place
// of the old one, and an edit in place changes its time. Taken before the
// file is read, so that a change meanwhile only reads it once more.
struct FileStamp {
    DWORD volume = 0, indexHigh = 0, indexLow = 0, sizeHigh = 0, sizeLow = 0;
    FILETIME written{};

    bool SameFileAs(const FileStamp& o) const
    {
        return volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow;
    }
    bool operator==(const FileStamp& o) const
    {
        return SameFileAs(o) && sizeHigh == o.sizeHigh && sizeLow == o.sizeLow &&
               CompareFileTime(&written, &o.written) == 0;
    }
};

std::optional<FileStamp> StampOf(const std::wstring& path)
{
    const UniqueKernelHandle file(CreateFileW(path.c_str(), 0,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileStamp{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
                     info.nFileSizeHigh,        info.nFileSizeLow,    info.ftLastWriteTime};
}

// The settings of the version of the file read last: the start and the
// dialog ask for their parts one after another.
std::optional<FileStamp> readStamp;
SettingsRecord readRecord;

// What the file holds now: its settings, or nothing when it cannot be read
// (unreadable then says why). A file that is not there (removed while the
// program runs) holds the defaults, and a save makes it again.
std::optional<SettingsRecord> ReadPortableFile()
{
    unreadable.clear();
    const std::optional<FileStamp> stamp = StampOf(portableFile);
    if (!stamp && GetFileAttributesW(portableFile.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND)
        return SettingsRecord{};
    if (stamp && readStamp && *stamp == *readStamp)
        return readRecord;
    try {
        readRecord = ReadSettingsFrom(portableFile);
        readStamp = stamp;
        return readRecord;
    } catch (...) {
        unreadable = CurrentFailureText();
    }
    return std::nullopt;
}

// What is read from the file: the defaults when it cannot be read.
SettingsRecord PortableRecord() { return ReadPortableFile().value_or(SettingsRecord{}); }

// Under the lock, from what the file holds at that moment: the record that
// change makes of it goes whole in place of the file. False when the file
// cannot be read and ask (none: the exit) does not let it be replaced.
bool WritePortableFile(const std::function<void(SettingsRecord& record)>& change,
                       const ReplaceUnreadable& ask)
{
    const SettingsLock lock;
    std::optional<SettingsRecord> record = ReadPortableFile();
    if (!record) {
        if (!ask || !ask(unreadable))
            return false;
        record.emplace();
    }
    change(*record);
    try {
        ExportSettings(portableFile, *record, IDS_SETTINGS_NOT_SAVED);
    } catch (...) {
        writeFailureTold = true;
        throw;
    }
    // What was written is what the next read finds, also where the file's
    // time is too coarse to tell this version from the last.
    readRecord = std::move(*record);
    readStamp = StampOf(portableFile);
    unreadable.clear();
    return true;
}

// The file's identity where both are there; otherwise their full paths.
bool SameFile(const std::wstring& a, const std::wstring& b)
{
    const std::optional<FileStamp> first = StampOf(a), second = StampOf(b);
    if (first && second)
        return first->SameFileAs(*second);
    const std::wstring fullA = FullPath(a), fullB = FullPath(b);
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, fullA.c_str(), static_cast<int>(fullA.size()),
                          fullB.c_str(), static_cast<int>(fullB.size())) == CSTR_EQUAL;
}

// The settings as a file carries them, with the pad's place given.
SettingsRecord RecordAt(cSettings& settings, float x, float y)
{
    SettingsRecord record = RecordOf(settings);
    record.x = x;
    record.y = y;
    return record;
}

void TakeParts(const SettingsRecord& record, cSettings& settings, bool options,
               std::initializer_list<const ShellCommands*> lists)
{
    if (options)
        TakeOptions(record, settings);
    for (const ShellCommands* list : lists)
        TakeList(record, settings, *list);
}

}  // namespace

void ChooseSettingsPlace(const std::wstring& programFolder)
{
    const std::wstring file = programFolder + kPortableSettingsFileName;
    portableFile = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES ? file : std::wstring();
}

void TakeKeptLanguageChoice()
{
    if (!Portable())
        return;
    const std::wstring language = PortableRecord().language;
    TakeLanguageChoice(language.empty() ? std::nullopt : std::optional<std::wstring>(language));
}

const std::wstring& PortableSettingsFile() { return portableFile; }

bool IsPortableSettingsFile(const std::wstring& path) { return Portable() && SameFile(path, portableFile); }

const std::wstring& UnreadableSettingsFile() { return unreadable; }

void LoadKept(cSettings& settings, bool options, std::initializer_list<const ShellCommands*> lists)
{
    if (Portable()) {
        TakeParts(PortableRecord(), settings, options, lists);
        return;
    }
    const SettingsLock lock;
    RegistryKey key = ProductKey();
    if (options)
        settings.LoadOptions(key);
    for (const ShellCommands* list : lists)
        settings.LoadList(key, *list);
}

void LoadKeptSettings(cSettings& settings)
{
    LoadKept(settings, true, {&settings.Drags(), &settings.Keys(), &settings.Menus()});
}

KeptPlace KeptPadPlace()
{
    if (Portable()) {
        const SettingsRecord record = PortableRecord();
        return {record.x, record.y};
    }
    SettingsRecord record;
    TakeStoredPlace(record);
    return {record.x, record.y};
}

SettingsRecord KeptSettingsRecord()
{
    return Portable() ? ReadSettingsFrom(portableFile) : StoredSettings();
}

SettingsRecord RecordWithKeptPlace(cSettings& settings)
{
    const KeptPlace centre = KeptPadPlace();
    return RecordAt(settings, centre.x, centre.y);
}

bool SaveKeptSettings(cSettings& settings, const ReplaceUnreadable& ask)
{
    if (!Portable()) {
        RegistryKey key = ProductKey();
        Persistence().PersistOf(settings).Save(key);
        return true;
    }
    return WritePortableFile(
        [&](SettingsRecord& record) { record = RecordAt(settings, record.x, record.y); },
        ask);
}

bool ReplaceKeptSettings(const SettingsRecord& record, const ReplaceUnreadable& ask)
{
    if (!Portable()) {
        ImportSettings(record);
        return true;
    }
    return WritePortableFile([&](SettingsRecord& kept) { kept = record; }, ask);
}

void SaveKeptSettingsAtExit(cSettings& settings, KeptPlace centre, std::wstring& failure)
{
    if (Portable()) {
        const bool toldUnreadable = !unreadable.empty();
        const bool toldWriteFailure = writeFailureTold;
        try {
            const SettingsRecord changed = RecordAt(settings, centre.x, centre.y);
            if (!WritePortableFile([&](SettingsRecord& record) { record = changed; }, nullptr) &&
                !toldUnreadable && failure.empty())
                failure = unreadable;
        } catch (...) {
            if (!toldWriteFailure && failure.empty())
                failure = CurrentFailureText();
        }
        return;
    }
    // Each part on its own: settings that cannot be saved must not keep the
    // position from being saved. An export reads both together.
    const SettingsLock lock;
    RegistryKey product = ProductKey();
    Attempt([&] { Persistence().PersistOf(settings).Save(product); }, failure);
    Attempt(
        [&] {
            RegistryKey position = product.SubKey(L"Position");
            position.WriteValue(L"x", centre.x);
            position.WriteValue(L"y", centre.y);
        },
        failure);
}
