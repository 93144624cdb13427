#include "objlib/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "base/numbered_error.h"
#include "objlib/persist.h"
#include "tests/support/sandbox.h"

namespace {

const std::wstring kTestKey = L"Software\\Tessaly\\Korvane\\RegistryTest";

HKEY RawKey()
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    return key;
}

void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    UniqueHKey key(RawKey());
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

void PutText(const wchar_t* name, const std::wstring& text)
{
    PutRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PutDword(const wchar_t* name, DWORD value) { PutRaw(name, REG_DWORD, &value, sizeof value); }

DWORD RawType(const wchar_t* name)
{
    UniqueHKey key(RawKey());
    DWORD type = REG_NONE;
    return RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS
               ? type
               : REG_NONE;
}

class RegistryTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kTestKey);
};

}  // namespace

TEST_F(RegistryTest, AbsentValuesAndKeysReadAsDefaultsWithoutCreatingAnything)
{
    EXPECT_EQ(key.ReadValue(L"n", std::int32_t{42}), 42);
    EXPECT_EQ(key.ReadValue(L"b", true), true);
    EXPECT_EQ(key.ReadValue(L"f", 0.5f), 0.5f);
    EXPECT_EQ(key.ReadValue(L"s", L"dflt"), L"dflt");
    RegistryKey child = key.SubKey(L"Deeper");
    EXPECT_EQ(child.ReadValue(L"x", std::int32_t{7}), 7);
    std::wstring name, data;
    EXPECT_FALSE(child.NextValue(name, data));
    EXPECT_FALSE(child.NextSubKey(name));
    child.WriteValue(L"gone", Null);
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, kTestKey));
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, kTestKey + L"\\Deeper"));
}

TEST_F(RegistryTest, WritesUseDwordForNumbersAndTextForFloats)
{
    key.WriteValue(L"b", true);
    key.WriteValue(L"n", std::int32_t{-5});
    key.WriteValue(L"f", 0.5f);
    key.WriteValue(L"s", std::wstring(L"日本語"));
    EXPECT_EQ(RawType(L"b"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawType(L"n"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawType(L"f"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawType(L"s"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(key.ReadValue(L"f", std::wstring()), L"0.5");

    RegistryKey again = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kTestKey);
    EXPECT_EQ(again.ReadValue(L"b", false), true);
    EXPECT_EQ(again.ReadValue(L"n", std::int32_t{0}), -5);
    EXPECT_EQ(again.ReadValue(L"f", 0.0f), 0.5f);
    EXPECT_EQ(again.ReadValue(L"s", L""), L"日本語");
    // Value names ignore letter case, as the platform's do.
    EXPECT_EQ(again.ReadValue(L"N", std::int32_t{0}), -5);
}

TEST_F(RegistryTest, NullRemovesTheValue)
{
    key.WriteValue(L"x", std::int32_t{1});
    key.WriteValue(L"x", Null);
    EXPECT_EQ(RawType(L"x"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(key.ReadValue(L"x", std::int32_t{9}), 9);
}

TEST_F(RegistryTest, OtherTypesConvertWhenTheyCanAndOtherwiseReadAsDefault)
{
    PutText(L"num", L"994");
    PutText(L"hex", L"&H3E2");
    PutText(L"word", L"True");
    PutText(L"junk", L"not a number");
    PutText(L"empty", L"");
    PutDword(L"dword", 0xFFFFFFFF);
    const ULONGLONG big = 1ull << 40, small = 12;
    PutRaw(L"qbig", REG_QWORD, &big, sizeof big);
    PutRaw(L"qsmall", REG_QWORD, &small, sizeof small);
    const BYTE bytes[] = {1, 2, 3, 4};
    PutRaw(L"bin", REG_BINARY, bytes, sizeof bytes);
    PutRaw(L"none", REG_NONE, nullptr, 0);
    PutRaw(L"shortdword", REG_DWORD, bytes, 2);
    // A string without its terminating NUL, and one of an odd byte count.
    PutRaw(L"unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    PutRaw(L"odd", REG_SZ, "a\0b", 3);

    EXPECT_EQ(key.ReadValue(L"num", std::int32_t{0}), 994);
    EXPECT_EQ(key.ReadValue(L"num", 0.0f), 994.0f);
    EXPECT_EQ(key.ReadValue(L"num", false), true);
    EXPECT_EQ(key.ReadValue(L"hex", std::int32_t{0}), 994);
    EXPECT_EQ(key.ReadValue(L"word", false), true);
    EXPECT_EQ(key.ReadValue(L"word", std::int32_t{3}), 3);
    EXPECT_EQ(key.ReadValue(L"junk", std::int32_t{3}), 3);
    EXPECT_EQ(key.ReadValue(L"junk", true), true);
    EXPECT_EQ(key.ReadValue(L"junk", 0.25f), 0.25f);
    EXPECT_EQ(key.ReadValue(L"empty", std::int32_t{3}), 3);
    EXPECT_EQ(key.ReadValue(L"empty", L"d"), L"");
    EXPECT_EQ(key.ReadValue(L"dword", std::int32_t{0}), -1);
    EXPECT_EQ(key.ReadValue(L"dword", false), true);
    EXPECT_EQ(key.ReadValue(L"dword", L""), L"-1");
    EXPECT_EQ(key.ReadValue(L"qbig", std::int32_t{3}), 3);
    EXPECT_EQ(key.ReadValue(L"qsmall", std::int32_t{3}), 12);
    EXPECT_EQ(key.ReadValue(L"qsmall", L""), L"12");
    for (const wchar_t* name : {L"bin", L"none", L"shortdword"}) {
        EXPECT_EQ(key.ReadValue(name, std::int32_t{3}), 3) << name;
        EXPECT_EQ(key.ReadValue(name, true), true) << name;
        EXPECT_EQ(key.ReadValue(name, 0.5f), 0.5f) << name;
        EXPECT_EQ(key.ReadValue(name, L"d"), L"d") << name;
    }
    EXPECT_EQ(key.ReadValue(L"unterminated", L""), L"abc");
    EXPECT_EQ(key.ReadValue(L"odd", L"").size(), 1u);
}

TEST_F(RegistryTest, LongStringsAndNonFiniteFloats)
{
    const std::wstring longText(64 * 1024, L'あ');
    key.WriteValue(L"long", longText);
    EXPECT_EQ(key.ReadValue(L"long", L""), longText);
    EXPECT_EQ(key.ReadValue(L"long", std::int32_t{4}), 4);
    PutText(L"nan", L"NaN");
    PutText(L"huge", L"1e30");
    EXPECT_TRUE(std::isnan(key.ReadValue(L"nan", 0.5f)));
    EXPECT_EQ(key.ReadValue(L"huge", 0.5f), 1e30f);
}

TEST_F(RegistryTest, IterationVisitsEveryValueAndSubKeyOnce)
{
    key.WriteValue(L"a", std::wstring(L"x"));
    key.WriteValue(L"b", std::int32_t{2});
    key.SubKey(L"One").WriteValue(L"v", true);
    key.SubKey(L"Two").WriteValue(L"v", true);

    RegistryKey reader = Persistence().KeyOf(key);
    std::map<std::wstring, std::wstring> values;
    std::wstring name, data;
    while (reader.NextValue(name, data))
        values[name] = data;
    EXPECT_EQ(values, (std::map<std::wstring, std::wstring>{{L"a", L"x"}, {L"b", L"2"}}));
    std::vector<std::wstring> keys;
    while (reader.NextSubKey(name))
        keys.push_back(name);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"One", L"Two"}));
}

TEST_F(RegistryTest, DeleteSubKeyRemovesTheWholeTreeAndParentGoesUp)
{
    key.SubKey(L"Tree").SubKey(L"Leaf").WriteValue(L"v", std::int32_t{1});
    EXPECT_TRUE(key.DeleteSubKey(L"Tree"));
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, kTestKey + L"\\Tree"));
    EXPECT_FALSE(key.DeleteSubKey(L"Tree"));
    EXPECT_EQ(key.SubKey(L"Tree").Parent().Path(), kTestKey);
    EXPECT_EQ(key.Parent().Path(), L"Software\\Tessaly\\Korvane");
}

TEST_F(RegistryTest, WriteIntoAnUnwritableKeyRaises)
{
    // Key names are limited to 255 characters.
    RegistryKey denied = key.SubKey(std::wstring(300, L'k'));
    EXPECT_THROW(denied.WriteValue(L"x", std::int32_t{1}), NumberedError);
}
