#include "settings/settings_transfer.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <type_traits>

#include <gtest/gtest.h>

#include "app/entry_point.h"
#include "app/transfer_command.h"
#include "base/numbered_error.h"
#include "base/utf8_text.h"
#include "base/win_handles.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/staged_write.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/program_driver.h"
#include "tests/support/registry_tree.h"
#include "tests/support/sandbox.h"

namespace {

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

RegistryTree StoredTree() { return CopyRegistryTree(HKEY_CURRENT_USER, kProductKeyPath); }

void Fill(ShellCommand& command, const std::wstring& tag, std::int32_t n)
{
    command.StoreCommandLine(L"\"C:\\Program Files\\ツール\\" + tag + L".exe\" /n " + std::to_wstring(n));
    command.StoreWorkDir(L"%USERPROFILE%\\作業 " + tag);
    command.Caption = L"「" + tag + L"」 " + std::to_wstring(n);
    command.WindowState = n % 3 + 1;
    command.SetFocus = n % 3 != 0;
}

// What the program stores after a long use: every option away from its
// default, every list filled, non-ASCII and long texts, the pad's place and
// what a start writes.
void StoreRichProfile(std::int32_t menuEntries)
{
    cSettings settings;
    settings.PopupStatus = false;
    settings.AlwaysOnTop = false;
    settings.DblClickCommand = 2;
    settings.ActiveStyle = true;
    settings.HotKey = 0x645;
    settings.SwapButtons = true;
    settings.UseCustomIcon = true;
    settings.CustomIcon = L"\\\\?\\C:\\" + std::wstring(30000, L'長') + L"\\pad.ico";
    settings.Language = L"en";
    for (std::int32_t slot = 1; slot < 9; ++slot)
        Fill(*settings.Drags().Item(slot), L"drag", slot);
    for (std::int32_t slot = 0; slot < 36; slot += 2)
        Fill(*settings.Keys().Item(slot), L"key", slot);
    for (std::int32_t i = 0; i < menuEntries; ++i)
        Fill(*settings.Menus().Add(-1), L"メニュー", i);
    RegistryKey product = ProductKey();
    Persistence().PersistOf(settings).Save(product);
    RegistryKey position = product.SubKey(L"Position");
    position.WriteValue(L"x", 0.123456f);
    position.WriteValue(L"y", 1.75f);
    product.WriteValue(L"Version", std::int32_t{500});
    product.Parent().WriteValue(L"Korvane", std::wstring(L"C:\\Korvane\\KORVANE.EXE"));
}

template <typename T>
std::wstring Shown(const T& value)
{
    if constexpr (std::is_same_v<T, std::wstring>)
        return value;
    else
        return std::to_wstring(value);
}

// The file's text without one member of the object that follows `within`.
std::string Without(std::string text, const char* within, const char* field)
{
    const std::size_t at = text.find("\"" + std::string(field) + "\":", text.find(within));
    const std::size_t begin = text.rfind("\r\n", at), end = text.find("\r\n", at);
    const bool last = text[end - 1] != ',';
    text.erase(begin, end - begin);
    return last ? text.erase(begin - 1, 1) : text;
}

class SettingsTransferTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    TempFolder folder;
};

}  // namespace

TEST_F(SettingsTransferTest, AnImportIntoAnEmptyProfileGivesBackWhatWasExported)
{
    StoreRichProfile(1000);
    const RegistryTree before = StoredTree();
    const std::wstring file = folder.Path() + L"バックアップ" + kSettingsFileExtension;
    WriteFileBytes(file + L".part", "the user's own");
    ExportSettings(file, StoredSettings());
    EXPECT_EQ(ReadFileBytes(file + L".part"), "the user's own");
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW((folder.Path() + L"~*").c_str(), &found), INVALID_HANDLE_VALUE);
    const std::string exported = ReadFileBytes(file);
    EXPECT_NE(exported.find("\"caption\": \"\xE3\x80\x8C"), std::string::npos) << "texts as they are";

    RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, {});
    ImportSettings(ReadSettingsFrom(file));
    EXPECT_EQ(StoredTree(), before);
    EXPECT_FALSE(RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath).HasValue(L"Korvane"));

    ExportSettings(file, StoredSettings());
    EXPECT_EQ(ReadFileBytes(file), exported);
}

// Every file that cannot be taken whole is refused with one box that names
// the file and what is wrong in it, and the stored settings stay as they
// were to the byte.
TEST_F(SettingsTransferTest, AFileThatCannotBeTakenWholeChangesNothing)
{
    StoreRichProfile(5);
    const std::wstring good = folder.Path() + L"good.korvane.json";
    ExportSettings(good, StoredSettings());
    const std::string text = ReadFileBytes(good);
    std::string damaged = text;
    damaged[damaged.find("\"menus\": [") + 12] = '?';
    std::string lateField = text;
    lateField.insert(lateField.rfind("\"setFocus\""), "\"hidden\": true, ");
    const std::wstring big = folder.Path() + L"big.korvane.json";
    {
        UniqueKernelHandle file(CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size;
        size.QuadPart = 100LL << 20;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
    struct Row {
        std::wstring name;
        std::optional<std::string> bytes;  // nothing: the file is not written
        const wchar_t* said;
    } rows[] = {
        {L"missing.korvane.json", std::nullopt, L""},
        {L"empty.korvane.json", "", L"ファイルが空です"},
        {L"truncated.korvane.json", text.substr(0, text.size() / 2), L"途中で終わっています"},
        {L"damaged.korvane.json", damaged, L"JSON として正しくありません"},
        {L"picture.korvane.json", "\x89PNG\r\n\x1a\n", L"1 行目 1 文字目に UTF-8 として正しくない"},
        {L"list.korvane.json", "[]", L"Korvane の設定ファイルではありません"},
        {L"later.korvane.json", R"({"format": "Korvane settings", "version": 2})", L"版 (2)"},
        {L"field.korvane.json", lateField, L"menus[4].hidden はこの形式にない項目です"},
        {L"big.korvane.json", std::nullopt, L"大きすぎます"},
    };
    const RegistryTree before = StoredTree();
    for (const Row& row : rows) {
        const std::wstring path = folder.Path() + row.name;
        if (row.bytes)
            WriteFileBytes(path, *row.bytes);
        DialogWatcher boxes;
        EXPECT_EQ(RunSettingsTransfer(TransferDirection::Import, path, false), 1);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].text.find(path), std::wstring::npos);
        EXPECT_NE(boxes.Boxes()[0].text.find(row.said), std::wstring::npos)
            << Utf8FromWide(boxes.Boxes()[0].text).value_or("?");
        EXPECT_EQ(StoredTree(), before) << Utf8FromWide(row.name).value_or("?");
    }
}

// The largest file an export writes imports back whole; a byte more is
// refused as the import would refuse it, and the file there stays.
TEST_F(SettingsTransferTest, TheLargestFileExportedImportsBack)
{
    SettingsRecord largest;
    const std::wstring full(kSettingsFileMaxText, L'x');
    largest.menus.assign(kSettingsFileMaxBytes / (4 * kSettingsFileMaxText) - 1, {full, full, full, full});
    CommandRecord& last = largest.menus.emplace_back();
    std::size_t left = kSettingsFileMaxBytes - WriteSettingsFile(largest).size();
    for (std::wstring* text : {&last.program, &last.arguments, &last.workingDirectory, &last.caption,
                               &largest.customIconFile}) {
        text->assign(std::min(left, kSettingsFileMaxText), L'x');
        left -= text->size();
    }
    const std::wstring file = folder.Path() + L"largest.korvane.json";
    ExportSettings(file, largest);
    ASSERT_EQ(ReadFileBytes(file).size(), kSettingsFileMaxBytes);
    EXPECT_EQ(ReadSettingsFrom(file), largest);
    largest.customIconFile += L'x';
    EXPECT_THROW(ExportSettings(file, largest), NumberedError);
    EXPECT_EQ(ReadFileBytes(file).size(), kSettingsFileMaxBytes);
}

// An import ended at any instant, as by a killed process, leaves the old
// settings or the imported ones once the next start has looked, never a mix.
TEST_F(SettingsTransferTest, AnImportEndedAtAnyPointLeavesTheOldSettingsOrTheNew)
{
    StoreRichProfile(4);
    const RegistryTree before = StoredTree();
    SettingsRecord imported = StoredSettings();
    imported.menus.erase(imported.menus.begin());
    imported.hotKey = 0x246;
    imported.keys[7].program = L"C:\\新しい.exe";
    imported.x = 0.75f;
    ImportSettings(imported);
    const RegistryTree after = StoredTree();
    ASSERT_NE(before, after);

    int rolledBack = 0, rolledForward = 0;
    for (int changes = 0;; changes += 13) {
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, before);
        LimitRegistryChanges(changes);
        bool whole = true;
        try {
            ImportSettings(imported);
        } catch (const NumberedError&) {
            whole = false;
        }
        LimitRegistryChanges(-1);
        FinishStagedWrite(ProductKey());
        const RegistryTree found = StoredTree();
        ASSERT_TRUE(found == before || found == after) << "ended after " << changes << " changes";
        (found == before ? rolledBack : rolledForward)++;
        if (whole)
            break;
    }
    EXPECT_GT(rolledBack, 5);
    EXPECT_GT(rolledForward, 5);
}

// korvane.exe /export and /import as a script runs them: no pad, exit code 0
// or 1, one box that names the problem unless /quiet, and no import while a
// pad runs, which would store its own settings over it when it ends.
TEST_F(SettingsTransferTest, TheCommandLineExportsAndImportsWithoutThePad)
{
    StoreRichProfile(20);
    const RegistryTree before = StoredTree();
    const std::wstring program = L"\"" + BuildFolder() + L"korvane.exe\" ";
    const std::wstring file = folder.Path() + L"バックアップ 1.korvane.json";
    EXPECT_EQ(RunProgram(program + L"/export \"" + file + L"\" /quiet", 30000), 0);
    RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, {});
    EXPECT_EQ(RunProgram(program + L"-IMPORT \"" + file + L"\" /Quiet", 30000), 0);
    EXPECT_EQ(StoredTree(), before);

    {
        const UniqueKernelHandle padRuns(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
        RestoreRegistryTree(HKEY_CURRENT_USER, kMakerKeyPath, {});
        EXPECT_EQ(RunProgram(program + L"/import \"" + file + L"\" /quiet", 30000), 1);
        EXPECT_TRUE(StoredTree().Empty());
    }

    const std::wstring damaged = folder.Path() + L"damaged.korvane.json";
    WriteFileBytes(damaged, ReadFileBytes(file).substr(0, 100));
    RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, before);
    RunningProgram import(BuildFolder() + L"korvane.exe", L"/import \"" + damaged + L"\"");
    EXPECT_EQ(import.WaitForExit(30000), 1);
    ASSERT_EQ(import.Boxes().size(), 1u);
    EXPECT_NE(import.Boxes()[0].text.find(damaged), std::wstring::npos);
    // In the language the stored settings choose.
    EXPECT_NE(import.Boxes()[0].text.find(L"The file ends part-way"), std::wstring::npos);
    EXPECT_EQ(StoredTree(), before);
    EXPECT_TRUE(VisiblePads().empty());
}

// A value missing from the registry or from a file means its default, and a
// number the registry holds beyond the 32 bits it is read in means the same,
// never a number cut short.
TEST_F(SettingsTransferTest, EveryValueLeftOutTakesItsDefault)
{
    StoreRichProfile(1);
    const RegistryTree rich = StoredTree();
    const std::string file = WriteSettingsFile(StoredSettings());
    using Used = std::wstring (*)(const SettingsRecord&);
    const struct Row {
        const wchar_t* key;  // below the product key
        const wchar_t* value;
        const char* within;  // where the file holds it; nullptr: nowhere
        const char* field;
        const wchar_t* byDefault;
        Used used;
        bool number;
    } rows[] = {
        {L"", L"PopupStatus", "options", "popupStatus", L"1", [](const auto& s) { return Shown(s.popupStatus); }, false},
        {L"", L"AlwaysOnTop", "options", "alwaysOnTop", L"1", [](const auto& s) { return Shown(s.alwaysOnTop); }, false},
        {L"", L"DoubleClickCommand", "options", "doubleClickCommand", L"1", [](const auto& s) { return Shown(s.doubleClickCommand); }, true},
        {L"", L"ActiveStyle", "options", "activeStyle", L"0", [](const auto& s) { return Shown(s.activeStyle); }, false},
        {L"", L"HotKey", "options", "hotKey", L"0", [](const auto& s) { return Shown(s.hotKey); }, true},
        {L"", L"SwapButtons", "options", "swapButtons", L"0", [](const auto& s) { return Shown(s.swapButtons); }, false},
        {L"", L"CustomIcon", "options", "useCustomIcon", L"0", [](const auto& s) { return Shown(s.useCustomIcon); }, false},
        {L"", L"CustomIconFile", "options", "customIconFile", L"", [](const auto& s) { return Shown(s.customIconFile); }, false},
        {L"", L"Language", "options", "language", L"", [](const auto& s) { return Shown(s.language); }, false},
        {L"Position", L"x", "position", "x", L"0.500000", [](const auto& s) { return Shown(s.x); }, false},
        {L"Position", L"y", "position", "y", L"0.500000", [](const auto& s) { return Shown(s.y); }, false},
        {L"Menu", L"NumberOfMenus", nullptr, nullptr, L"0", [](const auto& s) { return Shown(s.menus.size()); }, false},
        {L"Menu\\0", L"ProgramFileName", "menus", "program", L"", [](const auto& s) { return Shown(s.menus[0].program); }, false},
        {L"Menu\\0", L"Arguments", "menus", "arguments", L"", [](const auto& s) { return Shown(s.menus[0].arguments); }, false},
        {L"Drag\\Upward", L"WorkingDirectory", "drags", "workingDirectory", L"", [](const auto& s) { return Shown(s.drags[0].workingDirectory); }, false},
        {L"Menu\\0", L"Caption", "menus", "caption", L"", [](const auto& s) { return Shown(s.menus[0].caption); }, false},
        {L"Menu\\0", L"StartupWindowState", "menus", "windowState", L"0", [](const auto& s) { return Shown(s.menus[0].windowState); }, true},
        {L"Menu\\0", L"SetFocus", "menus", "setFocus", L"1", [](const auto& s) { return Shown(s.menus[0].setFocus); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Utf8FromWide(row.value).value_or("?"));
        RestoreRegistryTree(HKEY_CURRENT_USER, kProductKeyPath, rich);
        ASSERT_NE(row.used(StoredSettings()), row.byDefault);
        RegistryKey key = ProductKey().SubKey(row.key);
        key.WriteValue(row.value, Null);
        EXPECT_EQ(row.used(StoredSettings()), row.byDefault);
        for (const long long number : {-2147483648LL, 2147483647LL, -2147483649LL, 2147483648LL}) {
            if (!row.number)
                break;
            UniqueHKey raw;
            RegOpenKeyExW(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_SET_VALUE, raw.put());
            RegSetValueExW(raw.get(), row.value, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&number), 8);
            const bool fits = number == static_cast<std::int32_t>(number);
            EXPECT_EQ(row.used(StoredSettings()), fits ? std::to_wstring(number) : row.byDefault) << number;
        }
        if (!row.within)
            continue;
        ImportSettings(ReadSettingsFile(Without(file, row.within, row.field)));
        EXPECT_EQ(row.used(StoredSettings()), row.byDefault);
    }
}

// An export while a save switches the settings over reads them before the
// switch or after it, never a list half copied.
TEST_F(SettingsTransferTest, AnExportDuringASaveReadsAWholeList)
{
    StoreRichProfile(300);
    const SettingsRecord first = StoredSettings();
    SettingsRecord second = first;
    for (CommandRecord& entry : second.menus)
        entry.caption += L" 2";
    std::atomic<bool> saving = true, saved = true;
    std::thread saver([&] {
        try {
            for (int i = 0; i < 6; ++i)
                ImportSettings(i % 2 ? first : second);
        } catch (const NumberedError&) {
            saved = false;
        }
        saving = false;
    });
    int whole = 0;
    while (saving) {
        const SettingsRecord read = StoredSettings();
        whole += read.menus == first.menus || read.menus == second.menus;
        EXPECT_TRUE(read.menus == first.menus || read.menus == second.menus);
    }
    saver.join();
    EXPECT_TRUE(saved);
    EXPECT_GT(whole, 1);
}

// A pad started while korvane.exe /import runs waits for it and starts with
// what it imported, or after an import that was ended, with the old settings
// or the new; never with a mix of the two.
TEST_F(SettingsTransferTest, APadStartedDuringAnImportStartsWithTheImportedSettings)
{
    StoreRichProfile(100);
    SettingsRecord old = StoredSettings(), imported = old;
    imported.hotKey = 0x246;
    imported.menus.assign(3000, {L"C:\\new.exe", L"/n", L"", L"new"});
    const std::wstring file = folder.Path() + L"large.korvane.json";
    ExportSettings(file, imported);
    for (const bool killed : {false, true}) {
        StoreRichProfile(100);
        RunningProgram import(BuildFolder() + L"korvane.exe", L"/import \"" + file + L"\" /quiet");
        for (int i = 0; i < 4000 && !RegistryRoot().KeyExists(HKEY_CURRENT_USER, kProductKeyPath + std::wstring(L"\\Staging")); ++i)
            Sleep(5);
        RunningProgram pad(BuildFolder() + L"korvane.exe");
        if (killed)
            TerminateProcess(import.Process(), 9);
        const int exit = import.WaitForExit(120000);
        EXPECT_NE(pad.WaitForPad(120000), nullptr);
        EXPECT_EQ(pad.Close(30000), 0);
        SettingsRecord found = StoredSettings();
        found.x = old.x = imported.x;
        found.y = old.y = imported.y;
        EXPECT_TRUE(found == imported || (exit != 0 && found == old)) << "import ended with " << exit;
    }
}
