#include "tests/support/registry_tree.h"

#include <shlwapi.h>

#include "base/win_handles.h"

namespace {

void CopyInto(HKEY key, const std::wstring& relative, RegistryTree& tree)
{
    auto& values = tree.keys[relative];
    DWORD maxValueName = 0, maxData = 0, maxSubKey = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxSubKey, nullptr, nullptr,
                         &maxValueName, &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> name(maxValueName + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        RegistryValueCopy value;
        value.bytes.resize(maxData);
        DWORD size = maxData;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &value.type,
                          value.bytes.empty() ? nullptr : value.bytes.data(), &size) != ERROR_SUCCESS)
            break;
        value.bytes.resize(size);
        values[std::wstring(name.data(), nameLength)] = std::move(value);
    }
    std::vector<wchar_t> subName(maxSubKey + 1);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(subName.size());
        if (RegEnumKeyExW(key, i, subName.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring child(subName.data(), length);
        UniqueHKey sub;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, sub.put()) == ERROR_SUCCESS)
            CopyInto(sub.get(), relative.empty() ? child : relative + L"\\" + child, tree);
    }
}

}  // namespace

RegistryTree CopyRegistryTree(HKEY root, const std::wstring& path)
{
    RegistryTree tree;
    UniqueHKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
        CopyInto(key.get(), L"", tree);
    return tree;
}

void RestoreRegistryTree(HKEY root, const std::wstring& path, const RegistryTree& tree,
                         DWORD options)
{
    SHDeleteKeyW(root, path.c_str());
    for (const auto& [relative, values] : tree.keys) {
        UniqueHKey key;
        const std::wstring full = relative.empty() ? path : path + L"\\" + relative;
        if (RegCreateKeyExW(root, full.c_str(), 0, nullptr, options, KEY_WRITE, nullptr, key.put(),
                            nullptr) != ERROR_SUCCESS)
            continue;
        for (const auto& [name, value] : values)
            RegSetValueExW(key.get(), name.c_str(), 0, value.type,
                           value.bytes.empty() ? nullptr : value.bytes.data(),
                           static_cast<DWORD>(value.bytes.size()));
    }
}
