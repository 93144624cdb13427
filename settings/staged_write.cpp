#include "settings/staged_write.h"

#include <string>
#include <vector>

#include "base/numbered_error.h"

namespace {

constexpr wchar_t kJournal[] = L"Staging";
constexpr wchar_t kMarker[] = L"Complete";
constexpr wchar_t kContents[] = L"Contents";

// The marker goes first: removing the keys below it is not one step, and a
// journal must never stand marked over part of its contents.
void RemoveJournal(RegistryKey& key)
{
    RegistryKey journal = key.SubKey(kJournal);
    journal.WriteValue(kMarker, Null);
    key.DeleteSubKey(kJournal);
}

void Apply(RegistryKey& key, const RegistryKey& contents)
{
    std::vector<std::wstring> replaced;
    RegistryKey children = contents;
    std::wstring name;
    while (children.NextSubKey(name))
        replaced.push_back(name);
    for (const std::wstring& child : replaced) {
        if (!key.DeleteSubKey(child) && key.SubKey(child).Exists())
            throw NumberedError(ERROR_ACCESS_DENIED,
                                L"レジストリキーを削除できません: " + key.Path() + L"\\" + child);
    }
    contents.CopyTo(key);
}

}  // namespace

StagedWrite::StagedWrite(const RegistryKey& key)
    : key_(key), contents_(key.SubKey(kJournal).SubKey(kContents))
{
    RemoveJournal(key_);
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

void StagedWrite::Commit()
{
    RegistryKey journal = key_.SubKey(kJournal);
    journal.WriteValue(kMarker, true);
    marked_ = true;
    Apply(key_, contents_);
    RemoveJournal(key_);
}

void FinishStagedWrite(const RegistryKey& key)
{
    RegistryKey owner = key;
    RegistryKey journal = owner.SubKey(kJournal);
    if (!journal.Exists())
        return;
    if (journal.ReadValue(kMarker, false))
        Apply(owner, journal.SubKey(kContents));
    RemoveJournal(owner);
}
