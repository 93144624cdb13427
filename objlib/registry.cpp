#include "objlib/registry.h"

#include <limits>
#include <vector>

#include "base/deferred_imports.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "objlib/value_text.h"

namespace {

int changesLeft = -1;  // no limit

void CountChange(const std::wstring& path)
{
    if (changesLeft == 0)
        throw NumberedError(ERROR_ACCESS_DENIED, UiText(IDS_REGISTRY_NOT_WRITTEN, {path}));
    if (changesLeft > 0)
        --changesLeft;
}

}  // namespace

void LimitRegistryChanges(int changes) { changesLeft = changes; }

struct RegistryKey::RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;

    std::wstring Text() const
    {
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        if (!text.empty())
            memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
    bool IsText() const { return type == REG_SZ || type == REG_EXPAND_SZ; }
    bool IsDword() const { return type == REG_DWORD && bytes.size() == sizeof(DWORD); }
    bool IsQword() const { return type == REG_QWORD && bytes.size() == sizeof(ULONGLONG); }
    std::int32_t Dword() const
    {
        DWORD v;
        memcpy(&v, bytes.data(), sizeof v);
        return static_cast<std::int32_t>(v);
    }
    long long Qword() const
    {
        long long v;
        memcpy(&v, bytes.data(), sizeof v);
        return v;
    }
};

RegistryKey::RegistryKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path)) {}

RegistryKey::RegistryKey(const RegistryKey& other)
    : root_(other.root_), path_(other.path_), missing_(other.missing_)
{
}

RegistryKey& RegistryKey::operator=(const RegistryKey& other)
{
    if (this != &other) {
        root_ = other.root_;
        path_ = other.path_;
        handle_.reset();
        writable_ = false;
        missing_ = other.missing_;
        nextValue_ = nextSubKey_ = 0;
    }
    return *this;
}

HKEY RegistryKey::ReadHandle() const
{
    if (handle_ || missing_)
        return handle_.get();
    const LONG rc = RegOpenKeyExW(root_, path_.c_str(), 0, KEY_READ, handle_.put());
    if (rc != ERROR_SUCCESS) {
        handle_.reset();
        // Absent now, absent for every value this object reads: settings
        // read dozens of values from keys that were never written.
        missing_ = rc == ERROR_FILE_NOT_FOUND;
    }
    return handle_.get();
}

HKEY RegistryKey::WriteHandle()
{
    if (!writable_) {
        CountChange(path_);
        UniqueHKey created;
        const LONG rc = RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_READ | KEY_WRITE, nullptr, created.put(), nullptr);
        if (rc != ERROR_SUCCESS)
            throw NumberedError(rc, UiText(IDS_REGISTRY_KEY_NOT_CREATED, {path_}));
        handle_ = std::move(created);
        writable_ = true;
        missing_ = false;
    }
    return handle_.get();
}

bool RegistryKey::Exists() const { return ReadHandle() != nullptr; }

bool RegistryKey::Query(const std::wstring& name, RawValue& out) const
{
    const HKEY key = ReadHandle();
    if (!key)
        return false;
    // Room for any number and most texts, so that one call reads the value.
    constexpr DWORD kFirstSize = 512;
    DWORD size = kFirstSize;
    for (int attempt = 0; attempt < 4; ++attempt) {
        out.bytes.resize(size);
        DWORD got = size;
        const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &out.type,
                                         out.bytes.empty() ? nullptr : out.bytes.data(), &got);
        if (rc == ERROR_SUCCESS && got <= out.bytes.size()) {
            out.bytes.resize(got);
            return true;
        }
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA)
            return false;
        size = got;  // too small, or the value grew since: ask again with its size
    }
    return false;
}

bool RegistryKey::HasValue(const std::wstring& name) const
{
    const HKEY key = ReadHandle();
    return key && RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
}

bool RegistryKey::ReadValue(const std::wstring& name, bool defaultValue) const
{
    RawValue v;
    if (!Query(name, v))
        return defaultValue;
    if (v.IsDword())
        return v.Dword() != 0;
    if (v.IsQword())
        return v.Qword() != 0;
    if (v.IsText())
        return ParseBoolText(v.Text()).value_or(defaultValue);
    return defaultValue;
}

std::int32_t RegistryKey::ReadValue(const std::wstring& name, std::int32_t defaultValue) const
{
    RawValue v;
    if (!Query(name, v))
        return defaultValue;
    if (v.IsDword())
        return v.Dword();
    if (v.IsQword()) {
        const long long q = v.Qword();
        const bool fits = q >= std::numeric_limits<std::int32_t>::min() &&
                          q <= std::numeric_limits<std::int32_t>::max();
        return fits ? static_cast<std::int32_t>(q) : defaultValue;
    }
    if (v.IsText())
        return ParseInt32Text(v.Text()).value_or(defaultValue);
    return defaultValue;
}

float RegistryKey::ReadValue(const std::wstring& name, float defaultValue) const
{
    RawValue v;
    if (!Query(name, v))
        return defaultValue;
    if (v.IsDword())
        return static_cast<float>(v.Dword());
    if (v.IsQword())
        return static_cast<float>(v.Qword());
    if (v.IsText())
        return ParseFloatText(v.Text()).value_or(defaultValue);
    return defaultValue;
}

std::wstring RegistryKey::ReadValue(const std::wstring& name, const std::wstring& defaultValue) const
{
    RawValue v;
    if (!Query(name, v))
        return defaultValue;
    if (v.IsText())
        return v.Text();
    if (v.IsDword())
        return std::to_wstring(v.Dword());
    if (v.IsQword())
        return std::to_wstring(v.Qword());
    return defaultValue;
}

std::wstring RegistryKey::ReadValue(const std::wstring& name, const wchar_t* defaultValue) const
{
    return ReadValue(name, std::wstring(defaultValue));
}

void RegistryKey::Store(const std::wstring& name, DWORD type, const void* data, DWORD size)
{
    const HKEY key = WriteHandle();
    CountChange(path_);
    const LONG rc = RegSetValueExW(key, name.c_str(), 0, type,
                                   static_cast<const BYTE*>(data), size);
    if (rc != ERROR_SUCCESS)
        throw NumberedError(rc, UiText(IDS_REGISTRY_NOT_WRITTEN, {path_ + L"\\" + name}));
}

void RegistryKey::WriteValue(const std::wstring& name, bool value)
{
    WriteValue(name, static_cast<std::int32_t>(value ? 1 : 0));
}

void RegistryKey::WriteValue(const std::wstring& name, std::int32_t value)
{
    const DWORD data = static_cast<DWORD>(value);
    Store(name, REG_DWORD, &data, sizeof data);
}

void RegistryKey::WriteValue(const std::wstring& name, float value)
{
    WriteValue(name, FormatFloatText(value));
}

void RegistryKey::WriteValue(const std::wstring& name, const std::wstring& value)
{
    const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    if (bytes > std::numeric_limits<DWORD>::max())
        throw NumberedError(ERROR_INVALID_PARAMETER, UiText(IDS_REGISTRY_VALUE_TOO_LONG, {name}));
    Store(name, REG_SZ, value.c_str(), static_cast<DWORD>(bytes));
}

void RegistryKey::WriteValue(const std::wstring& name, RegistryNull)
{
    if (!Exists())
        return;
    const HKEY key = WriteHandle();
    CountChange(path_);
    const LONG rc = RegDeleteValueW(key, name.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw NumberedError(rc, UiText(IDS_REGISTRY_VALUE_NOT_DELETED, {path_ + L"\\" + name}));
}

bool RegistryKey::NextValue(std::wstring& name, std::wstring& data)
{
    const HKEY key = ReadHandle();
    if (!key)
        return false;
    DWORD maxName = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &maxName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(maxName + 1);
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(key, nextValue_, buffer.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
        return false;
    ++nextValue_;
    name.assign(buffer.data(), length);
    data = ReadValue(name, std::wstring());
    return true;
}

bool RegistryKey::NextSubKey(std::wstring& name)
{
    const HKEY key = ReadHandle();
    if (!key)
        return false;
    DWORD maxName = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxName, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(maxName + 1);
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumKeyExW(key, nextSubKey_, buffer.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
        return false;
    ++nextSubKey_;
    name.assign(buffer.data(), length);
    return true;
}

RegistryKey RegistryKey::SubKey(const std::wstring& name) const
{
    RegistryKey child(root_, path_.empty() ? name : path_ + L"\\" + name);
    // Below a key found absent there is nothing to open either.
    child.missing_ = missing_;
    return child;
}

bool RegistryKey::DeleteSubKey(const std::wstring& name)
{
    if (!Exists())
        return false;
    const HKEY key = WriteHandle();
    CountChange(path_);
    return shlwapi::SHDeleteKeyW(key, name.c_str()) == ERROR_SUCCESS;
}

void RegistryKey::CopyTo(RegistryKey& destination) const
{
    destination.WriteHandle();
    const HKEY key = ReadHandle();
    if (!key)
        return;
    // A copy cut short must not pass for a whole one: every failure raises.
    const auto fail = [this](LONG rc) {
        return NumberedError(rc, UiText(IDS_REGISTRY_NOT_READ, {path_}));
    };
    DWORD maxName = 0, maxData = 0;
    LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &maxName, &maxData, nullptr, nullptr);
    if (rc != ERROR_SUCCESS)
        throw fail(rc);
    std::vector<wchar_t> name(maxName + 1);
    std::vector<BYTE> data(maxData + 1);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        rc = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                           &size);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            throw fail(rc);
        destination.Store(std::wstring(name.data(), nameLength), type, data.data(), size);
    }
    RegistryKey children = *this;
    std::wstring child;
    while (children.NextSubKey(child)) {
        RegistryKey target = destination.SubKey(child);
        SubKey(child).CopyTo(target);
    }
}

RegistryKey RegistryKey::Parent() const
{
    const size_t cut = path_.rfind(L'\\');
    return RegistryKey(root_, cut == std::wstring::npos ? std::wstring() : path_.substr(0, cut));
}

RegistryKey RegistryRoot::OpenKey(HKEY root, const std::wstring& path) const
{
    return RegistryKey(root, path);
}

bool RegistryRoot::KeyExists(HKEY root, const std::wstring& path) const
{
    return RegistryKey(root, path).Exists();
}
