#include "commands/shell_commands.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/desktop_toggle_file.h"
#include "base/numbered_error.h"
#include "base/program_values.h"
#include "base/system.h"
#include "base/slot_names.h"
#include "tests/support/sandbox.h"

namespace {

const std::wstring kListKey = L"Software\\Tessaly\\Korvane\\ListTest";

template <typename Operation>
std::int32_t ErrorOf(Operation operation)
{
    try {
        operation();
    } catch (const NumberedError& error) {
        return error.Number();
    }
    return 0;
}

// Puts a recognisable command into a slot.
void Fill(ShellCommands& list, std::int32_t slot, const std::wstring& name)
{
    ShellCommand& command = *list.Item(slot);
    command.StoreCommandLine(L"C:\\" + name + L".exe -" + name);
    command.Caption = name;
}

void AddEntry(ShellCommands& menus, const std::wstring& name)
{
    menus.Add(-1);
    Fill(menus, menus.Count() - 1, name);
}

void FillAll(ShellCommands& list, std::int32_t from, std::int32_t to)
{
    for (std::int32_t slot = from; slot <= to; ++slot)
        Fill(list, slot, L"s" + std::to_wstring(slot));
}

std::int32_t SubKeyCount(const std::wstring& path)
{
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    return static_cast<std::int32_t>(count);
}

class ShellCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAppFolder = AppFolder;
        AppFolder = folder.Path();
        ASSERT_TRUE(WriteDesktopToggleFile(folder.Path()));
    }
    void TearDown() override { AppFolder = savedAppFolder; }

    RegistryKey ListKey() const { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kListKey); }

    RegistrySandbox sandbox;
    TempFolder folder;
    std::wstring savedAppFolder;
};

}  // namespace

TEST_F(ShellCommandsTest, NewListsHoldTheDefaultsOfTheirKind)
{
    ShellCommands drags(CommandListKind::Drags), keys(CommandListKind::Keys), menus(CommandListKind::Menus);
    ASSERT_EQ(drags.Count(), 9);
    const ShellCommand& toggle = *drags.Item(0);
    EXPECT_EQ(toggle.Caption, L"メニュー");
    EXPECT_EQ(toggle.Command(), L"\"" + folder.Path() + L"KORVANE.SCF\"");
    EXPECT_EQ(toggle.WorkDir(), folder.Path());
    EXPECT_TRUE(toggle.SetFocus);
    EXPECT_EQ(toggle.WindowState, 0);
    for (std::int32_t slot = 1; slot < 9; ++slot) {
        EXPECT_TRUE(drags.Item(slot)->IsEmpty());
        EXPECT_EQ(drags.Item(slot)->Kind(), CommandListKind::Drags);
    }
    ASSERT_EQ(keys.Count(), 36);
    for (std::int32_t slot = 0; slot < 36; ++slot) {
        EXPECT_TRUE(keys.Item(slot)->IsEmpty());
        EXPECT_EQ(keys.Item(slot)->Kind(), CommandListKind::Keys);
    }
    EXPECT_EQ(menus.Count(), 0);
    EXPECT_EQ(menus.Compile().Table(), nullptr);
}

TEST_F(ShellCommandsTest, DesktopToggleIsStoredEvenWhenItsFileIsMissing)
{
    DeleteDesktopToggleFile(folder.Path());
    ShellCommands drags(CommandListKind::Drags);
    EXPECT_EQ(drags.Item(0)->Command(), L"\"" + folder.Path() + L"KORVANE.SCF\"");
    EXPECT_EQ(drags.Item(0)->WorkDir(), folder.Path());
    EXPECT_EQ(drags.Item(0)->Caption, L"メニュー");
}

TEST_F(ShellCommandsTest, KindRulesAndSlotIndexesAreEnforced)
{
    ShellCommands drags(CommandListKind::Drags), keys(CommandListKind::Keys), menus(CommandListKind::Menus);
    for (ShellCommands* list : {&drags, &keys}) {
        EXPECT_EQ(ErrorOf([&] { list->Add(-1); }), kErrInvalidArgument);
        EXPECT_EQ(ErrorOf([&] { list->Remove(0); }), kErrInvalidArgument);
        EXPECT_EQ(ErrorOf([&] { list->Compile(); }), kErrInvalidArgument);
        EXPECT_EQ(ErrorOf([&] { list->Item(-1); }), kErrBadSubscript);
        EXPECT_EQ(ErrorOf([&] { list->Item(list->Count()); }), kErrBadSubscript);
        EXPECT_EQ(ErrorOf([&] { list->Copy(list->Count()); }), kErrInvalidArgument);
        EXPECT_EQ(ErrorOf([&] { list->Move(-1, true); }), kErrInvalidArgument);
    }
    EXPECT_EQ(ErrorOf([&] { menus.Item(0); }), kErrBadSubscript);
    EXPECT_EQ(ErrorOf([&] { menus.Add(1); }), kErrBadSubscript);
    EXPECT_EQ(ErrorOf([&] { menus.Remove(0); }), kErrBadSubscript);
    EXPECT_EQ(drags.Count(), 9);
    EXPECT_EQ(keys.Count(), 36);
}

TEST_F(ShellCommandsTest, MenuEntriesAreAddedCopiedMovedAndRemoved)
{
    ShellCommands menus(CommandListKind::Menus);
    const auto first = menus.Add(-1);
    EXPECT_EQ(menus.Count(), 1);
    EXPECT_EQ(first->Kind(), CommandListKind::Menus);
    EXPECT_EQ(menus.Item(0), first);
    menus.Remove(0);
    EXPECT_EQ(menus.Count(), 0);

    AddEntry(menus, L"b");
    menus.Add(0)->Caption = L"a";
    EXPECT_EQ(menus.Item(0)->Caption, L"a");
    EXPECT_EQ(menus.Item(1)->Caption, L"b");

    EXPECT_EQ(menus.Copy(1), 2);
    ASSERT_EQ(menus.Count(), 3);
    EXPECT_EQ(menus.Copy(0), 1);
    ASSERT_EQ(menus.Count(), 4);
    EXPECT_EQ(menus.Item(1)->Caption, L"Copy - a");
    EXPECT_EQ(menus.Item(2)->Caption, L"b");
    EXPECT_EQ(menus.Item(3)->Caption, L"Copy - b");
    EXPECT_EQ(menus.Item(3)->Command(), L"C:\\b.exe -b");

    EXPECT_EQ(ErrorOf([&] { menus.Move(0, true); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { menus.Move(3, false); }), kErrInvalidArgument);
    const auto moved = menus.Item(2);
    EXPECT_EQ(menus.Move(2, true), 1);
    EXPECT_EQ(menus.Item(1), moved);
    EXPECT_EQ(menus.Move(1, false), 2);
    EXPECT_EQ(menus.Item(2), moved);
}

TEST_F(ShellCommandsTest, DragCommandsCopyAndMoveAroundTheRing)
{
    ShellCommands drags(CommandListKind::Drags);
    FillAll(drags, 3, 8);
    drags.Item(8)->StoreWorkDir(L"C:\\Work");
    drags.Item(8)->WindowState = 3;
    drags.Item(8)->SetFocus = false;
    const auto target = drags.Item(1);
    EXPECT_EQ(drags.Copy(8), 1);  // wraps past 8 and skips 0
    EXPECT_EQ(drags.Item(1), target);  // the slot keeps its own object
    EXPECT_EQ(target->Command(), L"C:\\s8.exe -s8");
    EXPECT_EQ(target->WorkDir(), L"C:\\Work");
    EXPECT_EQ(target->Caption, L"Copy - s8");
    EXPECT_EQ(target->WindowState, 3);
    EXPECT_FALSE(target->SetFocus);

    ShellCommands ring(CommandListKind::Drags);
    FillAll(ring, 1, 8);
    ring.Item(5)->Clear();
    const auto mover = ring.Item(1), hole = ring.Item(5);
    EXPECT_EQ(ring.Move(1, true), 5);  // counterclockwise, around the ring
    EXPECT_EQ(ring.Item(5), mover);
    EXPECT_EQ(ring.Item(1), hole);
    EXPECT_EQ(ring.Item(0)->Caption, L"メニュー");

    Fill(ring, 1, L"full");
    EXPECT_EQ(ring.Move(1, true), -1);
    EXPECT_EQ(ring.Copy(1), -1);
    EXPECT_EQ(ring.Item(5), mover);
}

TEST_F(ShellCommandsTest, KeyCommandsCopyWithWrapButNeverMoveWithIt)
{
    ShellCommands keys(CommandListKind::Keys);
    FillAll(keys, 0, 2);
    Fill(keys, 35, L"nine");
    EXPECT_EQ(keys.Copy(35), 3);
    EXPECT_EQ(keys.Item(3)->Caption, L"Copy - nine");
    EXPECT_EQ(keys.Move(35, false), -1);
    EXPECT_EQ(keys.Move(0, true), -1);
    EXPECT_EQ(keys.Move(35, true), 34);
    EXPECT_EQ(keys.Item(34)->Caption, L"nine");
    EXPECT_TRUE(keys.Item(35)->IsEmpty());
}

TEST_F(ShellCommandsTest, ClearedListsLeaveHeldCommandsAlive)
{
    ShellCommands keys(CommandListKind::Keys);
    Fill(keys, 4, L"held");
    const auto held = keys.Item(4);
    keys.Clear();
    EXPECT_EQ(held->Caption, L"held");
    EXPECT_NE(keys.Item(4), held);
    EXPECT_TRUE(keys.Item(4)->IsEmpty());
    EXPECT_EQ(keys.Count(), 36);

    keys.Exchange(0, 1);
    keys.Duplicate(2, 2);
    EXPECT_EQ(keys.Item(2)->Caption, L"Copy - ");
}

TEST_F(ShellCommandsTest, CompiledTableHoldsAnsiTextOfEveryEntry)
{
    ShellCommands menus(CommandListKind::Menus);
    const auto editor = menus.Add(-1);
    editor->StoreCommandLine(L"\"C:\\Program Files\\エディタ\\ed.exe\" -n \"a b.txt\"");
    editor->Caption = L"エディタ";
    menus.Add(-1)->Caption = L"no program";
    menus.Add(-1)->StoreCommandLine(L"C:\\x.exe");

    const CompiledMenuEntry* table = menus.Compile().Table();
    ASSERT_NE(table, nullptr);
    static_assert(sizeof(CompiledMenuEntry) == 12);
    EXPECT_EQ(FromAnsi(table[0].caption), L"エディタ");
    EXPECT_EQ(std::string(table[0].caption), "\x83\x47\x83\x66\x83\x42\x83\x5E");  // code page 932
    EXPECT_EQ(FromAnsi(table[0].program), L"C:\\Program Files\\エディタ\\ed.exe");
    EXPECT_EQ(FromAnsi(table[0].arguments), L"-n \"a b.txt\"");
    EXPECT_EQ(std::string(table[1].caption), "---");
    EXPECT_EQ(std::string(table[1].program), "");
    EXPECT_EQ(std::string(table[2].caption), "(nameless)");

    editor->Caption = L"Editor";
    menus.Remove(1);
    table = menus.Compile().Table();
    EXPECT_EQ(std::string(table[0].caption), "Editor");
    EXPECT_EQ(std::string(table[1].program), "C:\\x.exe");
}

TEST_F(ShellCommandsTest, DragAndKeyListsStoreTheirSlotsByName)
{
    ShellCommands drags(CommandListKind::Drags);
    FillAll(drags, 1, 8);
    RegistryKey key = ListKey();
    drags.Save(key);
    EXPECT_EQ(SubKeyCount(kListKey), 8);  // slot 0 is never stored
    EXPECT_EQ(ListKey().SubKey(L"UpperLeftward").ReadValue(L"Caption", L""), L"s8");
    EXPECT_EQ(ListKey().SubKey(L"Upward").ReadValue(L"Arguments", L""), L"-s1");

    ShellCommands loaded(CommandListKind::Drags);
    const auto held = loaded.Item(3);
    loaded.Item(0)->Caption = L"changed";
    loaded.Load(key);
    EXPECT_EQ(loaded.Item(3), held);  // slots load in place
    for (std::int32_t slot = 1; slot < 9; ++slot)
        EXPECT_EQ(loaded.Item(slot)->Command(), drags.Item(slot)->Command());
    EXPECT_EQ(loaded.Item(0)->Caption, L"changed");

    ListKey().Parent().DeleteSubKey(L"ListTest");
    ShellCommands keys(CommandListKind::Keys);
    Fill(keys, 0, L"a");
    Fill(keys, 35, L"nine");
    keys.Save(key);
    EXPECT_EQ(SubKeyCount(kListKey), 36);
    EXPECT_EQ(ListKey().SubKey(L"9").ReadValue(L"Caption", L""), L"nine");
    EXPECT_EQ(ListKey().SubKey(L"A").ReadValue(L"Caption", L""), L"a");
}

TEST_F(ShellCommandsTest, ShorterMenuListSavedAfterALongerOneLoadsExactly)
{
    ShellCommands menus(CommandListKind::Menus);
    for (int i = 0; i < 5; ++i)
        AddEntry(menus, L"m" + std::to_wstring(i));
    RegistryKey key = ListKey();
    menus.Save(key);
    menus.Remove(4);
    menus.Remove(3);
    menus.Remove(0);
    menus.Save(key);
    EXPECT_EQ(ListKey().ReadValue(L"NumberOfMenus", std::int32_t{0}), 2);

    ShellCommands loaded(CommandListKind::Menus);
    loaded.Add(-1);
    loaded.Load(key);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Item(0)->Caption, L"m1");
    EXPECT_EQ(loaded.Item(1)->Caption, L"m2");
    EXPECT_EQ(loaded.Item(1)->Kind(), CommandListKind::Menus);
}

TEST_F(ShellCommandsTest, StoredMenuCountIsNeverTrustedBeyondTheStoredEntries)
{
    ShellCommands menus(CommandListKind::Menus);
    for (int i = 0; i < 3; ++i)
        AddEntry(menus, L"m" + std::to_wstring(i));
    RegistryKey key = ListKey();
    menus.Save(key);

    key.WriteValue(L"NumberOfMenus", std::int32_t{2147483647});
    ShellCommands loaded(CommandListKind::Menus);
    const DWORD started = GetTickCount();
    loaded.Load(key);
    EXPECT_LT(GetTickCount() - started, 5000u);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.Item(2)->Caption, L"m2");
    EXPECT_EQ(SubKeyCount(kListKey), 3);  // loading created nothing

    // A missing entry inside the list reads as empty; entries after it stay.
    ListKey().DeleteSubKey(L"1");
    key.WriteValue(L"NumberOfMenus", std::int32_t{3});
    loaded.Load(key);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_TRUE(loaded.Item(1)->IsEmpty());
    EXPECT_EQ(loaded.Item(2)->Caption, L"m2");
    EXPECT_EQ(SubKeyCount(kListKey), 2);

    for (std::int32_t declared : {0, -1, -2147483647 - 1}) {
        key.WriteValue(L"NumberOfMenus", declared);
        loaded.Load(key);
        EXPECT_EQ(loaded.Count(), 0) << declared;
    }
    // A count that is there but no number holds back nothing stored.
    key.WriteValue(L"NumberOfMenus", std::wstring(L"三"));
    loaded.Load(key);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.Item(2)->Caption, L"m2");
}
