#pragma once
// Registry keys of the current user and of the file-type registrations.
//
// A key object names a key; it is opened when first read and created only
// when first written, so reading settings never leaves new keys behind. A key
// found absent stays absent for the object (and the sub-key objects made from
// it) until the object writes: a key that another object creates meanwhile
// is seen by key objects made afterwards.
// Reading is tolerant: a value of another type is converted when it can be,
// and a value that is absent or cannot be converted reads as the default.

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win_handles.h"

// Passed to WriteValue to remove a value.
struct RegistryNull {};
inline constexpr RegistryNull Null{};

class RegistryKey {
public:
    RegistryKey(HKEY root, std::wstring path);
    RegistryKey(const RegistryKey& other);
    RegistryKey& operator=(const RegistryKey& other);
    RegistryKey(RegistryKey&&) noexcept = default;
    RegistryKey& operator=(RegistryKey&&) noexcept = default;

    HKEY Root() const { return root_; }
    const std::wstring& Path() const { return path_; }

    // True when the value is there, whether or not it can be read as a type.
    bool HasValue(const std::wstring& name) const;
    // The empty name is the key's unnamed value.
    bool ReadValue(const std::wstring& name, bool defaultValue) const;
    std::int32_t ReadValue(const std::wstring& name, std::int32_t defaultValue) const;
    float ReadValue(const std::wstring& name, float defaultValue) const;
    std::wstring ReadValue(const std::wstring& name, const std::wstring& defaultValue) const;
    std::wstring ReadValue(const std::wstring& name, const wchar_t* defaultValue) const;

    // Booleans and integers are stored as REG_DWORD, floats as REG_SZ in
    // invariant form, strings as REG_SZ. A failed write raises NumberedError.
    void WriteValue(const std::wstring& name, bool value);
    void WriteValue(const std::wstring& name, std::int32_t value);
    void WriteValue(const std::wstring& name, float value);
    void WriteValue(const std::wstring& name, const std::wstring& value);
    void WriteValue(const std::wstring& name, RegistryNull);

    // Iterate the values (data as text) and the child key names; false when
    // none is left.
    bool NextValue(std::wstring& name, std::wstring& data);
    bool NextSubKey(std::wstring& name);

    // A child key, created only when something is written into it.
    RegistryKey SubKey(const std::wstring& name) const;
    // Deletes the child key with everything below it; false when it failed
    // or there was none.
    bool DeleteSubKey(const std::wstring& name);
    // Writes this key's values and child keys, with their types and bytes as
    // they are, into destination (created if absent): values of the same
    // name are replaced, other values and keys there stay.
    void CopyTo(RegistryKey& destination) const;
    RegistryKey Parent() const;

    bool Exists() const;

private:
    struct RawValue;
    bool Query(const std::wstring& name, RawValue& out) const;
    HKEY ReadHandle() const;
    HKEY WriteHandle();
    void Store(const std::wstring& name, DWORD type, const void* data, DWORD size);

    HKEY root_;
    std::wstring path_;
    mutable UniqueHKey handle_;
    mutable bool writable_ = false;
    mutable bool missing_ = false;  // opening it found no such key
    DWORD nextValue_ = 0;
    DWORD nextSubKey_ = 0;
};

// Ends a save part-way, as a process ended at that instant would: after
// `changes` more changes to the registry (a value written or removed, a key
// created or removed), every change raises NumberedError. A negative count
// lifts the limit. For tests of what such an end leaves behind.
void LimitRegistryChanges(int changes);

class RegistryRoot {
public:
    // root is HKEY_CURRENT_USER or HKEY_CLASSES_ROOT.
    RegistryKey OpenKey(HKEY root, const std::wstring& path) const;
    bool KeyExists(HKEY root, const std::wstring& path) const;
};
