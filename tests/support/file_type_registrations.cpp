#include "tests/support/file_type_registrations.h"

#include <shlwapi.h>

#include <stdexcept>

#include "base/win_handles.h"

FileTypeRegistrations::~FileTypeRegistrations()
{
    for (const auto& [top, tree] : saved_)
        RestoreRegistryTree(HKEY_CLASSES_ROOT, top, tree);
}

void FileTypeRegistrations::Claim(const std::wstring& path)
{
    const std::wstring top = path.substr(0, path.find(L'\\'));
    if (!saved_.contains(top))
        saved_.emplace(top, CopyRegistryTree(HKEY_CLASSES_ROOT, top));
}

void FileTypeRegistrations::Reset(const std::wstring& topKey)
{
    Claim(topKey);
    SHDeleteKeyW(HKEY_CLASSES_ROOT, topKey.c_str());
}

void FileTypeRegistrations::CreateKey(const std::wstring& path)
{
    Claim(path);
    UniqueHKey key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test registration");
}

void FileTypeRegistrations::Set(const std::wstring& path, const std::wstring& data, DWORD type)
{
    Claim(path);
    UniqueHKey key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS ||
        RegSetValueExW(key.get(), L"", 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write a test registration");
}
