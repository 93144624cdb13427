#pragma once
// A registry key with everything below it, read into memory: for checking
// that code left a tree untouched, and for putting a tree back after a test
// replaced it.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct RegistryValueCopy {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const RegistryValueCopy&) const = default;
};

// Key paths relative to the copied key ("" is the key itself, then
// "shell", "shell\\open" ...) with their values by name.
struct RegistryTree {
    std::map<std::wstring, std::map<std::wstring, RegistryValueCopy>> keys;
    bool operator==(const RegistryTree&) const = default;
    bool Empty() const { return keys.empty(); }
};

// The tree below root\path; empty when the key does not exist.
RegistryTree CopyRegistryTree(HKEY root, const std::wstring& path);

// Replaces root\path with the tree (removes the key when the tree is empty);
// options REG_OPTION_VOLATILE makes every key of it volatile.
void RestoreRegistryTree(HKEY root, const std::wstring& path, const RegistryTree& tree,
                         DWORD options = REG_OPTION_NON_VOLATILE);
