#pragma once
// Writing many values into a registry key as one change: a process ended at
// any instant leaves either all of the old values or all of the new ones.
//
// The new contents are written under the key's journal, a child key:
//
//   <key>\Staging
//       Complete   REG_DWORD 1, the one marker: the staging below is whole
//       Contents\  the new values and child keys, laid out as under <key>
//
// Commit then switches over in three steps:
//   1. it writes the marker: one value, which the registry writes whole or
//      not at all;
//   2. it applies: each value of Contents is written over the value of the
//      same name in the key of the same path below <key>; values and keys
//      that Contents does not name stay as they are;
//   3. it removes the marker, and then the journal.
// Applying again from the start gives the same result, so the next start
// (FinishStagedWrite) finishes a journal whose marker is set by applying it
// once more, and rolls back one without the marker (the key was not touched
// yet) by removing it. A journal without its marker is never read.
// When the switch is done, <key> holds exactly what a direct write of the
// same values would leave, and no journal.

#include "objlib/registry.h"

class StagedWrite {
public:
    // Removes what an earlier write left of a journal under key.
    explicit StagedWrite(const RegistryKey& key);
    // A write that raised before Commit wrote the marker leaves key as it
    // was and removes its staging as far as the registry lets it.
    ~StagedWrite();
    StagedWrite(const StagedWrite&) = delete;
    StagedWrite& operator=(const StagedWrite&) = delete;

    // Where the new contents go, as they would go under the key itself.
    RegistryKey& Contents() { return contents_; }
    // Switches key over to the contents. When it raises after the marker,
    // the next start finishes the switch.
    void Commit();

private:
    RegistryKey key_;
    RegistryKey contents_;
    bool marked_ = false;
};

// For start-up, before the settings are read, and only in the one instance
// that owns them (another instance may be staging right now): finishes or
// rolls back a switch that an ended process left half-way.
void FinishStagedWrite(const RegistryKey& key);
