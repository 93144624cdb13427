#pragma once
// Writing many values into a registry key as one change: a process ended at
// any instant leaves either all of the old values or all of the new ones.
//
// The new contents are written under the key's journal, a child key:
//
//   <key>\Staging
//       Complete   REG_DWORD 1, the one marker: the staging below is whole
//       Contents\  the new values and child keys, laid out as under <key>
//       Removed\   what the change removes: one value per value or key, its
//                  name the path below <key> ("Language", "Menu\12"), its
//                  data 0 for a value and 1 for a key
//
// Commit then switches over in three steps:
//   1. it writes the marker: one value, which the registry writes whole or
//      not at all;
//   2. it applies: each value of Contents is written over the value of the
//      same name in the key of the same path below <key>, and then what
//      Removed names is removed; values and keys that neither names stay
//      as they are;
//   3. it removes the marker, and then the journal.
// Applying again from the start gives the same result, so whoever finds a
// journal whose marker is set finishes it by applying it once more (the
// next start, the next write, an import or an export), and one without the
// marker (the key was not touched yet) is removed. A journal without its
// marker is never read. When the switch is done, <key> holds exactly what a
// direct write of the same values and removals would leave, and no journal.
//
// Every use holds the settings lock (settings/settings_lock.h): a journal
// found while holding it is one that an ended process left.

#include <string>

#include "objlib/registry.h"
#include "settings/settings_lock.h"

class StagedWrite {
public:
    // Takes the settings lock and finishes or removes what an earlier write
    // left of a journal under key.
    explicit StagedWrite(const RegistryKey& key);
    // A write that raised before Commit wrote the marker leaves key as it
    // was and removes its staging as far as the registry lets it.
    ~StagedWrite();
    StagedWrite(const StagedWrite&) = delete;
    StagedWrite& operator=(const StagedWrite&) = delete;

    // Where the new contents go, as they would go under the key itself.
    RegistryKey& Contents() { return contents_; }
    // The switch removes the value or the key at this path below key.
    void RemoveValue(const std::wstring& path);
    void RemoveKey(const std::wstring& path);
    // Switches key over to the contents. When it raises after the marker,
    // whoever next finds the journal finishes the switch.
    void Commit();

private:
    SettingsLock lock_;
    RegistryKey key_;
    RegistryKey contents_;
    RegistryKey removed_;
    bool marked_ = false;
};

// Finishes a switch that an ended process left half-way (after its marker),
// or removes a staging it left unmarked, under the settings lock. For
// start-up and for anything that reads the settings whole.
void FinishStagedWrite(const RegistryKey& key);
