#include "settings/staged_write.h"

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
    contents_.CopyTo(key_);
    RemoveJournal(key_);
}

void FinishStagedWrite(const RegistryKey& key)
{
    RegistryKey owner = key;
    RegistryKey journal = owner.SubKey(kJournal);
    if (!journal.Exists())
        return;
    if (journal.ReadValue(kMarker, false))
        journal.SubKey(kContents).CopyTo(owner);
    RemoveJournal(owner);
}
