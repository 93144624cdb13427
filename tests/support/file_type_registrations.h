#pragma once
// File-type registrations written for a test under HKEY_CLASSES_ROOT. Every
// top-level key a test touches is copied first and put back as it was when
// the object goes, so the test prefix keeps its own registrations.

#include <windows.h>

#include <map>
#include <string>

#include "tests/support/registry_tree.h"

class FileTypeRegistrations {
public:
    FileTypeRegistrations() = default;
    ~FileTypeRegistrations();
    FileTypeRegistrations(const FileTypeRegistrations&) = delete;
    FileTypeRegistrations& operator=(const FileTypeRegistrations&) = delete;

    // Starts the top-level key path (".kvt", "KorvaneTest.Class") afresh.
    void Reset(const std::wstring& topKey);
    // Creates HKCR\path and sets its unnamed value.
    void Set(const std::wstring& path, const std::wstring& data, DWORD type = REG_SZ);
    // Creates HKCR\path without values.
    void CreateKey(const std::wstring& path);

private:
    void Claim(const std::wstring& path);
    std::map<std::wstring, RegistryTree> saved_;
};
