#include "settings/staged_write.h"

#include "base/interface_text.h"
#include "base/numbered_error.h"

namespace {

constexpr wchar_t kJournal[] = L"Staging";
constexpr wchar_t kMarker[] = L"Complete";
constexpr wchar_t kContents[] = L"Contents";
constexpr wchar_t kRemoved[] = L"Removed";
constexpr std::int32_t kRemovedValue = 0;
constexpr std::int32_t kRemovedKey = 1;

// The key at path below key, as the registry holds it now: a key object
// made from another keeps what that one found absent when it was read.
RegistryKey Below(const RegistryKey& key, const std::wstring& path)
{
    return RegistryKey(key.Root(), key.Path() + L"\\" + path);
}

// The key that holds what path names below key, and the name within it.
std::pair<RegistryKey, std::wstring> Split(const RegistryKey& key, const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos)
        return {RegistryKey(key.Root(), key.Path()), path};
    return {Below(key, path.substr(0, slash)), path.substr(slash + 1)};
}

// The marker goes first: removing the keys below it is not one step, and a
// journal must never stand marked over part of its contents.
void RemoveJournal(const RegistryKey& key)
{
    Below(key, kJournal).WriteValue(kMarker, Null);
    RegistryKey(key.Root(), key.Path()).DeleteSubKey(kJournal);
}

// Removing what is already gone is no failure, so that applying again works.
void ApplyRemovals(RegistryKey& key, const RegistryKey& journal)
{
    RegistryKey removed = Below(journal, kRemoved);
    std::wstring path, data;
    while (removed.NextValue(path, data)) {
        auto [owner, name] = Split(key, path);
        if (removed.ReadValue(path, kRemovedValue) == kRemovedValue) {
            owner.WriteValue(name, Null);
        } else if (!owner.DeleteSubKey(name) && owner.SubKey(name).Exists()) {
            throw NumberedError(ERROR_ACCESS_DENIED,
                                UiText(IDS_REGISTRY_NOT_WRITTEN, {key.Path() + L"\\" + path}));
        }
    }
}

void Apply(RegistryKey& key)
{
    const RegistryKey journal = Below(key, kJournal);
    Below(journal, kContents).CopyTo(key);
    ApplyRemovals(key, journal);
    RemoveJournal(key);
}

}  // namespace

StagedWrite::StagedWrite(const RegistryKey& key)
    : key_(key),
      contents_(Below(key, std::wstring(kJournal) + L"\\" + kContents)),
      removed_(Below(key, std::wstring(kJournal) + L"\\" + kRemoved))
{
    FinishStagedWrite(key_);
}

StagedWrite::~StagedWrite()
{
    if (marked_)
        return;
    try {
        RemoveJournal(key_);
    } catch (...) {
        // Left for the next write or the next start, which remove it too.
    }
}

void StagedWrite::RemoveValue(const std::wstring& path) { removed_.WriteValue(path, kRemovedValue); }

void StagedWrite::RemoveKey(const std::wstring& path) { removed_.WriteValue(path, kRemovedKey); }

void StagedWrite::Commit()
{
    RegistryKey journal = key_.SubKey(kJournal);
    journal.WriteValue(kMarker, true);
    marked_ = true;
    Apply(key_);
}

void FinishStagedWrite(const RegistryKey& key)
{
    const SettingsLock lock;
    RegistryKey owner(key.Root(), key.Path());
    RegistryKey journal = Below(owner, kJournal);
    if (!journal.Exists())
        return;
    if (journal.ReadValue(kMarker, false))
        Apply(owner);
    else
        RemoveJournal(owner);
}
