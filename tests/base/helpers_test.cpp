#include <windows.h>

#include <gtest/gtest.h>

#include "base/deferred_library.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/slot_names.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "objlib/registry.h"
#include "settings/registry_paths.h"
#include "tests/support/dialog_watcher.h"
#include "tests/support/sandbox.h"

TEST(FileExists, OnlyReadableFilesCount)
{
    TempFolder folder;
    const std::wstring file = folder.Path() + L"a.txt";
    WriteFileBytes(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder.Path() + L"missing.txt"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(std::wstring(40000, L'a')));

    UniqueKernelHandle locked(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    EXPECT_FALSE(FileExists(file));
}

TEST(LastErrorText, SystemTextWithLineBreakOrNothing)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::wstring text = LastErrorText();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), L'\n');
    SetLastError(0x2FFFFFFF);
    EXPECT_EQ(LastErrorText(), L"");
}

TEST(AnsiText, JapaneseRoundTripsThroughCodePage932)
{
    EXPECT_EQ(GetACP(), 932u);
    const std::wstring text = L"設定(&O) C:\\ツール";
    const std::string ansi = ToAnsi(text);
    EXPECT_EQ(ansi.size(), 18u);  // two bytes for each Japanese character
    EXPECT_EQ(FromAnsi(ansi), text);
}

TEST(MsgBox, IsTitledKorvane)
{
    DialogWatcher watcher(IDYES);
    EXPECT_EQ(MsgBox(L"続けますか？", MB_YESNO | MB_ICONQUESTION), IDYES);
    MsgBox(L"注意");
    ASSERT_EQ(watcher.Boxes().size(), 2u);
    EXPECT_EQ(watcher.Boxes()[0].caption, L"Korvane");
    EXPECT_EQ(watcher.Boxes()[0].icon, BoxIcon::Question);
    EXPECT_EQ(watcher.Boxes()[1].caption, L"Korvane");
    EXPECT_EQ(watcher.Boxes()[1].text, L"注意");
    EXPECT_EQ(watcher.Boxes()[1].icon, BoxIcon::Exclamation);
}

TEST(DeferredLibrary, AMissingLibraryOrFunctionAnswersItsFailureAndSaysWhy)
{
    DeferredLibrary kernel{L"kernel32.dll"};
    DeferredFunction<decltype(&::GetCurrentProcessId)> processId{kernel, "GetCurrentProcessId"};
    EXPECT_EQ(processId(), GetCurrentProcessId());

    DeferredFunction<decltype(&::GetCurrentProcessId)> noFunction{kernel, "NoSuchFunction", 7};
    SetLastError(0);
    EXPECT_EQ(noFunction(), 7u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(noFunction.Get(), nullptr);

    DeferredLibrary missing{L"korvane-no-such-library.dll"};
    DeferredFunction<decltype(&::GetCurrentProcessId)> noLibrary{missing, "GetCurrentProcessId", 7};
    SetLastError(0);
    EXPECT_EQ(noLibrary(), 7u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(SlotNames, DirectionsAndKeys)
{
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 0), L"(なし)");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 3), L"右");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 8), L"左上");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 0), L"A[a]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 25), L"Z[z]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 26), L"0");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 27), L"1[!]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 28), L"2[\"]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 28).size(), 4u);
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 33), L"7[']");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Keys, 35), L"9[)]");
    EXPECT_EQ(SlotDisplayName(CommandListKind::Menus, 0), L"");
    EXPECT_EQ(SlotDisplayName(static_cast<CommandListKind>(-1), 500), L"");
}

TEST(SlotNames, IndexOutsideTheTableIsError5)
{
    for (auto [kind, index] : {std::pair{CommandListKind::Drags, 9}, {CommandListKind::Drags, -1},
                                    {CommandListKind::Keys, 36}, {CommandListKind::Keys, -1}}) {
        try {
            SlotDisplayName(kind, index);
            ADD_FAILURE() << static_cast<int>(kind) << "," << index;
        } catch (const NumberedError& e) {
            EXPECT_EQ(e.Number(), 5);
        }
    }
}

TEST(InterfaceLanguage, TheLanguageValueOverridesWindowsForTheNextRun)
{
    RegistrySandbox sandbox;
    // The suite runs on a Japanese Windows (tools/wine-env.sh).
    ASSERT_EQ(GetUserDefaultUILanguage(), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_EQ(CurrentLanguage(), InterfaceLanguage::Japanese);
    EXPECT_EQ(ReadLanguageChoice(), InterfaceLanguage::Japanese);
    RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    key.WriteValue(kLanguageValueName, std::wstring(L"en"));
    EXPECT_EQ(ReadLanguageChoice(), InterfaceLanguage::English);
    // The running program keeps the language it started in.
    EXPECT_EQ(CurrentLanguage(), InterfaceLanguage::Japanese);
    EXPECT_EQ(SlotDisplayName(CommandListKind::Drags, 1), L"上");
    key.WriteValue(kLanguageValueName, std::int32_t{1});
    EXPECT_EQ(ReadLanguageChoice(), InterfaceLanguage::Japanese);
}
