#include "settings/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/entry_point.h"
#include "base/desktop_toggle_file.h"
#include "base/numbered_error.h"
#include "base/program_values.h"
#include "tests/support/registry_tree.h"
#include "tests/support/sandbox.h"

namespace {

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

DWORD RawType(const RegistryKey& key, const wchar_t* name)
{
    UniqueHKey raw;
    DWORD type = REG_NONE;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_READ, raw.put()) ==
        ERROR_SUCCESS)
        RegQueryValueExW(raw.get(), name, nullptr, &type, nullptr, nullptr);
    return type;
}

void ExpectSameCommand(const ShellCommand& a, const ShellCommand& b)
{
    EXPECT_EQ(a.Command(), b.Command());
    EXPECT_EQ(a.WorkDir(), b.WorkDir());
    EXPECT_EQ(a.Caption, b.Caption);
    EXPECT_EQ(a.WindowState, b.WindowState);
    EXPECT_EQ(a.SetFocus, b.SetFocus);
}

void ExpectSameLists(cSettings& a, cSettings& b)
{
    for (std::int32_t slot = 1; slot < 9; ++slot)
        ExpectSameCommand(*a.Drags().Item(slot), *b.Drags().Item(slot));
    for (std::int32_t slot = 0; slot < 36; ++slot)
        ExpectSameCommand(*a.Keys().Item(slot), *b.Keys().Item(slot));
    ASSERT_EQ(a.Menus().Count(), b.Menus().Count());
    for (std::int32_t slot = 0; slot < a.Menus().Count(); ++slot)
        ExpectSameCommand(*a.Menus().Item(slot), *b.Menus().Item(slot));
}

// Every option away from its default, and commands in every list.
void FillEverything(cSettings& settings)
{
    settings.PopupStatus = false;
    settings.AlwaysOnTop = false;
    settings.DblClickCommand = 3;
    settings.ActiveStyle = true;
    settings.HotKey = 0x645;
    settings.SwapButtons = true;
    settings.UseCustomIcon = true;
    settings.CustomIcon = L"C:\\アイコン\\pad.ico";
    settings.Language = L"en";
    for (std::int32_t slot = 1; slot < 9; ++slot) {
        ShellCommand& drag = *settings.Drags().Item(slot);
        drag.StoreCommandLine(L"\"C:\\P F\\d" + std::to_wstring(slot) + L".exe\" -d");
        drag.StoreWorkDir(L"%TEMP%");
        drag.Caption = L"ドラッグ" + std::to_wstring(slot);
        drag.WindowState = slot % 4;
        drag.SetFocus = slot % 2 == 0;
    }
    for (std::int32_t slot = 0; slot < 36; slot += 5) {
        settings.Keys().Item(slot)->StoreCommandLine(L"C:\\k" + std::to_wstring(slot) + L".exe");
        settings.Keys().Item(slot)->Caption = L"key";
    }
    for (int i = 0; i < 3; ++i) {
        const auto entry = settings.Menus().Add(-1);
        entry->StoreCommandLine(L"C:\\m" + std::to_wstring(i) + L".exe /x");
        entry->Caption = i == 1 ? L"-" : L"メニュー" + std::to_wstring(i);
    }
}

// Saves as a process ended after that many registry changes would; true
// when the save was whole.
bool SaveEndedAfter(cSettings& settings, int changes)
{
    LimitRegistryChanges(changes);
    bool whole = true;
    try {
        RegistryKey key = ProductKey();
        settings.Save(key);
    } catch (const NumberedError&) {
        whole = false;
    }
    LimitRegistryChanges(-1);
    return whole;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAppFolder = AppFolder;
        AppFolder = folder.Path();
        WriteDesktopToggleFile(folder.Path());
    }
    void TearDown() override { AppFolder = savedAppFolder; }

    RegistrySandbox sandbox;
    TempFolder folder;
    std::wstring savedAppFolder;
};

}  // namespace

TEST_F(SettingsTest, ConstructedSettingsAreBlankUntilLoaded)
{
    cSettings settings;
    EXPECT_FALSE(settings.AlwaysOnTop);
    EXPECT_FALSE(settings.PopupStatus);
    EXPECT_EQ(settings.DblClickCommand, 0);
    EXPECT_EQ(settings.HotKey, 0);
    EXPECT_EQ(settings.CustomIcon, L"");
    EXPECT_EQ(settings.Menus().Count(), 0);
    EXPECT_EQ(settings.Drags().Count(), 9);
    EXPECT_EQ(settings.Drags().Item(0)->Caption, L"メニュー");
    EXPECT_EQ(settings.Keys().Count(), 36);
    EXPECT_EQ(&settings.Keys(), &settings.Keys());
}

TEST_F(SettingsTest, FirstStartKeyLoadsTheDefaults)
{
    ProductKey().WriteValue(L"Version", std::int32_t{500});
    ProductKey().WriteValue(L"HotKey", std::int32_t{994});
    cSettings settings;
    RegistryKey key = ProductKey();
    Persistence().PersistOf(settings).Load(key);
    EXPECT_TRUE(settings.AlwaysOnTop);
    EXPECT_TRUE(settings.PopupStatus);
    EXPECT_EQ(settings.DblClickCommand, 1);
    EXPECT_FALSE(settings.ActiveStyle);
    EXPECT_FALSE(settings.SwapButtons);
    EXPECT_FALSE(settings.UseCustomIcon);
    EXPECT_EQ(settings.CustomIcon, L"");
    EXPECT_EQ(settings.HotKey, 994);
    EXPECT_EQ(settings.Menus().Count(), 0);
    EXPECT_FALSE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, key.Path() + L"\\Drag"));
}

TEST_F(SettingsTest, EverythingSavedLoadsBackAndTheLayoutIsComplete)
{
    // Read first from nothing, as on a first start.
    cSettings saved;
    RegistryKey readFirst = ProductKey();
    saved.Load(readFirst);
    FillEverything(saved);
    saved.Drags().Item(0)->Caption = L"not stored";
    Persistence().PersistOf(saved).Save(readFirst);
    RegistryKey key = ProductKey();

    cSettings loaded;
    Persistence().PersistOf(loaded).Load(key);
    EXPECT_EQ(loaded.PopupStatus, saved.PopupStatus);
    EXPECT_EQ(loaded.AlwaysOnTop, saved.AlwaysOnTop);
    EXPECT_EQ(loaded.DblClickCommand, 3);
    EXPECT_TRUE(loaded.ActiveStyle);
    EXPECT_EQ(loaded.HotKey, 0x645);
    EXPECT_TRUE(loaded.SwapButtons);
    EXPECT_TRUE(loaded.UseCustomIcon);
    EXPECT_EQ(loaded.CustomIcon, saved.CustomIcon);
    EXPECT_EQ(loaded.Language, L"en");
    ExpectSameLists(loaded, saved);
    EXPECT_EQ(loaded.Drags().Item(0)->Caption, L"メニュー");

    // The crossed icon names, and the hot key written as "HotKey".
    EXPECT_EQ(key.ReadValue(L"CustomIcon", false), true);
    EXPECT_EQ(key.ReadValue(L"CustomIconFile", L""), saved.CustomIcon);
    std::wstring name, data;
    bool hotKeyName = false;
    RegistryKey values = Persistence().KeyOf(key);
    while (values.NextValue(name, data))
        hotKeyName |= name == L"HotKey";
    EXPECT_TRUE(hotKeyName);
    for (const wchar_t* dword : {L"ActiveStyle", L"AlwaysOnTop", L"PopupStatus",
                                 L"DoubleClickCommand", L"HotKey", L"SwapButtons", L"CustomIcon"})
        EXPECT_EQ(RawType(key, dword), static_cast<DWORD>(REG_DWORD)) << dword;
    EXPECT_EQ(RawType(key, L"CustomIconFile"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RawType(key, L"Language"), static_cast<DWORD>(REG_SZ));
    for (const wchar_t* sub : {L"Drag\\Upward", L"Drag\\UpperLeftward", L"Key\\A", L"Key\\9",
                               L"Menu\\0", L"Menu\\2"})
        EXPECT_TRUE(RegistryRoot().KeyExists(HKEY_CURRENT_USER, key.Path() + L"\\" + sub)) << sub;
    EXPECT_EQ(key.SubKey(L"Menu").ReadValue(L"NumberOfMenus", std::int32_t{0}), 3);

    // Following Windows again leaves no value behind.
    saved.Language.clear();
    Persistence().PersistOf(saved).Save(key);
    EXPECT_FALSE(key.HasValue(L"Language"));
}

TEST_F(SettingsTest, HotKeyIsReadWhateverTheLetterCaseOfItsName)
{
    ProductKey().WriteValue(L"HOTKEY", std::int32_t{0x241});
    cSettings settings;
    RegistryKey key = ProductKey();
    settings.Load(key);
    EXPECT_EQ(settings.HotKey, 0x241);
}

TEST_F(SettingsTest, CorruptValuesReadAsDefaultsAndCostNoStoredCommand)
{
    cSettings saved;
    FillEverything(saved);
    RegistryKey key = ProductKey();
    saved.Save(key);

    key.WriteValue(L"DoubleClickCommand", std::wstring(L"twice"));
    key.WriteValue(L"AlwaysOnTop", std::wstring(L"perhaps"));
    RegistryKey keyF = key.SubKey(L"Key").SubKey(L"F");
    keyF.WriteValue(L"StartupWindowState", std::wstring(L"big"));
    {
        UniqueHKey raw;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (key.Path() + L"\\Drag\\Downward").c_str(), 0,
                                KEY_SET_VALUE, raw.put()),
                  ERROR_SUCCESS);
        const BYTE junk[3] = {1, 2, 3};
        RegSetValueExW(raw.get(), L"SetFocus", 0, REG_BINARY, junk, sizeof junk);
    }

    cSettings loaded;
    loaded.Load(key);
    EXPECT_EQ(loaded.DblClickCommand, 1);
    EXPECT_TRUE(loaded.AlwaysOnTop);
    EXPECT_EQ(loaded.HotKey, 0x645);
    EXPECT_EQ(loaded.CustomIcon, saved.CustomIcon);
    EXPECT_EQ(loaded.Keys().Item(5)->WindowState, 0);
    EXPECT_TRUE(loaded.Drags().Item(5)->SetFocus);

    // Saving what was loaded keeps every command the user had.
    loaded.Save(key);
    cSettings again;
    again.Load(key);
    for (std::int32_t slot = 1; slot < 9; ++slot)
        EXPECT_EQ(again.Drags().Item(slot)->Command(), saved.Drags().Item(slot)->Command());
    for (std::int32_t slot = 0; slot < 36; ++slot)
        EXPECT_EQ(again.Keys().Item(slot)->Command(), saved.Keys().Item(slot)->Command());
    ASSERT_EQ(again.Menus().Count(), 3);
    EXPECT_EQ(again.Menus().Item(2)->Caption, saved.Menus().Item(2)->Caption);
}

TEST_F(SettingsTest, ASaveEndedAtAnyPointLeavesTheOldSettingsOrTheNewAfterTheNextStart)
{
    ProductKey().WriteValue(L"Version", std::int32_t{500});
    ProductKey().SubKey(L"Position").WriteValue(L"x", 0.25f);
    cSettings old;
    FillEverything(old);
    RegistryKey key = ProductKey();
    old.Save(key);
    const RegistryTree before = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);

    // Entry 0 removed: every entry after it takes the fields of the next.
    cSettings changed;
    FillEverything(changed);
    changed.Menus().Remove(0);
    changed.Language.clear();
    changed.HotKey = 0x246;
    changed.Keys().Item(7)->StoreCommandLine(L"C:\\新しい.exe");
    changed.Save(key);
    const RegistryTree after = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    ASSERT_NE(before, after);
    EXPECT_EQ(after.keys.count(L"Staging"), 0u);
    EXPECT_EQ(after.keys.count(L"Menu\\2"), 0u) << "a deleted entry stays";
    EXPECT_EQ(after.keys.at(L"").count(L"Language"), 0u);

    int rolledBack = 0, rolledForward = 0;
    for (int changes = 0;; changes += 11) {
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, before);
        const bool whole = SaveEndedAfter(changed, changes);
        StartUpToLauncher({folder.Path(), L"KORVANE"});
        const RegistryTree found = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
        ASSERT_TRUE(found == before || found == after) << "ended after " << changes << " changes";
        (found == before ? rolledBack : rolledForward)++;
        if (whole)
            break;
    }
    EXPECT_GT(rolledBack, 10);
    EXPECT_GT(rolledForward, 10);
}

// A switch that failed after its marker is finished by the next save of the
// same process, and stays finished wherever that save is ended.
TEST_F(SettingsTest, ASwitchLeftHalfWayIsFinishedByTheNextSaveWhereverThatEnds)
{
    ProductKey().WriteValue(L"Version", std::int32_t{500});
    cSettings old, changed;
    old.Language = L"en";
    for (int i = 0; i < 3; ++i)
        old.Menus().Add(-1)->Caption = L"old";
    changed.HotKey = 0x246;
    changed.Menus().Add(-1)->Caption = L"new";
    RegistryKey key = ProductKey();
    old.Save(key);
    const RegistryTree before = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    changed.Save(key);
    const RegistryTree after = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    const auto marked = [&](int changes) {
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, before);
        return SaveEndedAfter(changed, changes) || ProductKey().SubKey(L"Staging").HasValue(L"Complete");
    };
    int low = 0, high = 100000;  // to the least count of changes that sets the marker
    while (low < high) {
        const int middle = (low + high) / 2;
        if (marked(middle))
            high = middle;
        else
            low = middle + 1;
    }
    ASSERT_TRUE(marked(low) && ProductKey().SubKey(L"Staging").Exists());
    const RegistryTree halfWay = CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath);
    // Each of the first changes, where the finish begins, then a sample.
    for (int changes = 0;; changes += changes < 20 ? 1 : 17) {
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, halfWay);
        const bool whole = SaveEndedAfter(changed, changes);
        StartUpToLauncher({folder.Path(), L"KORVANE"});
        ASSERT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath), after) << changes;
        if (whole)
            break;
    }
}
