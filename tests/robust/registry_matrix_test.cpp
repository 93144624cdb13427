// korvane.exe started on damaged settings: every value of its registry layout
// of a wrong type, out of range or absurdly long. The program must start, show
// the pad, leave the valid commands as they were and store sound values on
// its way out.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "commands/shell_command.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "tests/support/program_driver.h"
#include "tests/support/registry_tree.h"
#include "tests/support/sandbox.h"

namespace {

constexpr DWORD kStartTimeoutMs = 20000;

const std::wstring kProduct = kProductKeyPath;

// The program's values by the type it reads them with.
enum class Meaning { Text, Number, Boolean, Real };

struct LayoutValue {
    std::wstring key;  // below the product key; "" is the product key itself
    std::wstring name;
    Meaning meaning;
};

const wchar_t* const kCommandValueNames[] = {L"ProgramFileName", L"Arguments",
                                             L"WorkingDirectory", L"Caption",
                                             L"StartupWindowState", L"SetFocus"};
const Meaning kCommandValueMeanings[] = {Meaning::Text, Meaning::Text,   Meaning::Text,
                                         Meaning::Text, Meaning::Number, Meaning::Boolean};

// Slots that hold damaged commands, and slots that hold valid ones.
const wchar_t* const kDamagedSlots[] = {L"Drag\\Rightward", L"Key\\B", L"Key\\0", L"Menu\\1"};
const wchar_t* const kValidSlots[] = {L"Drag\\Upward", L"Drag\\LowerLeftward", L"Key\\A",
                                      L"Key\\9", L"Menu\\0", L"Menu\\2"};

std::vector<LayoutValue> DamagedLayout()
{
    std::vector<LayoutValue> layout = {
        {L"", L"Version", Meaning::Number},          {L"", L"ActiveStyle", Meaning::Boolean},
        {L"", L"AlwaysOnTop", Meaning::Boolean},     {L"", L"PopupStatus", Meaning::Boolean},
        {L"", L"HotKey", Meaning::Number},           {L"", L"DoubleClickCommand", Meaning::Number},
        {L"", L"SwapButtons", Meaning::Boolean},     {L"", L"CustomIcon", Meaning::Boolean},
        {L"", L"CustomIconFile", Meaning::Text},     {L"Position", L"x", Meaning::Real},
        {L"Position", L"y", Meaning::Real},          {L"Menu", L"NumberOfMenus", Meaning::Number},
    };
    for (const wchar_t* slot : kDamagedSlots)
        for (size_t i = 0; i < std::size(kCommandValueNames); ++i)
            layout.push_back({slot, kCommandValueNames[i], kCommandValueMeanings[i]});
    return layout;
}

enum class WrongType { Text, Binary, Dword, Qword, Empty, LongText };

const char* NameOf(WrongType type)
{
    switch (type) {
    case WrongType::Text: return "text";
    case WrongType::Binary: return "binary";
    case WrongType::Dword: return "DWORD";
    case WrongType::Qword: return "QWORD";
    case WrongType::Empty: return "empty";
    case WrongType::LongText: return "64 KB text";
    }
    return "?";
}

std::wstring KeyPath(const std::wstring& below)
{
    return below.empty() ? kProduct : kProduct + L"\\" + below;
}

void WriteRaw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
              DWORD size)
{
    UniqueHKey handle;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              handle.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(handle.get(), name.c_str(), 0, type,
                             static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

void WriteText(const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    WriteRaw(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
}

// One value of the given wrong type; `index` varies the empty kind between a
// text and a number without data.
void WriteWrong(const std::wstring& key, const std::wstring& name, WrongType type, size_t index)
{
    switch (type) {
    case WrongType::Text:
        WriteText(key, name, L"壊れた値 (garbage) \\\"%");
        break;
    case WrongType::Binary: {
        const BYTE bytes[] = {0xFF, 0xFE, 0x00, 0x41, 0x00, 0xD8, 0x7F};
        WriteRaw(key, name, REG_BINARY, bytes, sizeof bytes);
        break;
    }
    case WrongType::Dword: {
        const DWORD value = 0xDEADBEEF;
        WriteRaw(key, name, REG_DWORD, &value, sizeof value);
        break;
    }
    case WrongType::Qword: {
        const ULONGLONG value = 0x123456789ABCDEF0ull;
        WriteRaw(key, name, REG_QWORD, &value, sizeof value);
        break;
    }
    case WrongType::Empty:
        WriteRaw(key, name, index % 2 ? REG_DWORD : REG_SZ, nullptr, 0);
        break;
    case WrongType::LongText:
        WriteText(key, name, std::wstring(32767, L'長'));
        break;
    }
}

RegistryValueCopy ValueOf(const std::wstring& key, const std::wstring& name)
{
    const RegistryTree tree = CopyRegistryTree(HKEY_CURRENT_USER, key);
    const auto keyValues = tree.keys.find(L"");
    if (keyValues == tree.keys.end())
        return {};
    const auto value = keyValues->second.find(name);
    return value == keyValues->second.end() ? RegistryValueCopy{} : value->second;
}

class RegistryMatrixTest : public ::testing::Test {
protected:
    // Valid commands in their slots, as the program itself stores them, and
    // another program of the maker that is gone.
    void StoreValidCommands(std::int32_t numberOfMenus)
    {
        int n = 0;
        for (const wchar_t* slot : kValidSlots) {
            ++n;
            ShellCommand command;
            command.StoreCommandLine(L"\"C:\\Program Files\\Tool " + std::to_wstring(n) +
                                     L"\\tool.exe\" -n " + std::to_wstring(n));
            command.StoreWorkDir(L"%TEMP%\\work" + std::to_wstring(n));
            command.Caption = L"ツール " + std::to_wstring(n);
            command.WindowState = n % 4;
            command.SetFocus = n % 2 == 0;
            RegistryKey key = RegistryRoot().OpenKey(HKEY_CURRENT_USER, KeyPath(slot));
            Persistence().PersistOf(command).Save(key);
        }
        const DWORD count = static_cast<DWORD>(numberOfMenus);
        WriteRaw(KeyPath(L"Menu"), L"NumberOfMenus", REG_DWORD, &count, sizeof count);
        validBefore.clear();
        for (const wchar_t* slot : kValidSlots)
            validBefore.push_back(CopyRegistryTree(HKEY_CURRENT_USER, KeyPath(slot)));
        WriteText(kMakerKeyPath, L"GoneTool", L"C:\\Nowhere\\gone.exe");
    }

    void ExpectValidCommandsKept()
    {
        for (size_t i = 0; i < std::size(kValidSlots); ++i)
            EXPECT_EQ(CopyRegistryTree(HKEY_CURRENT_USER, KeyPath(kValidSlots[i])), validBefore[i])
                << "the command in " << std::string(kValidSlots[i], kValidSlots[i] + wcslen(kValidSlots[i]))
                << " changed";
    }

    // Starts the program, checks where the pad shows, closes it.
    void RunProgram(int expectedLeft, int expectedTop)
    {
        RunningProgram program(BuildFolder() + L"korvane.exe");
        ASSERT_TRUE(program.Started());
        const HWND pad = program.WaitForPad(kStartTimeoutMs);
        ASSERT_NE(pad, nullptr) << "no pad; the program "
                                << (program.Running() ? "still runs" : "has ended");
        RECT rect{};
        GetWindowRect(pad, &rect);
        EXPECT_EQ(rect.right - rect.left, 34);
        EXPECT_NEAR(rect.left, expectedLeft, 1);
        EXPECT_NEAR(rect.top, expectedTop, 1);
        EXPECT_EQ(program.Close(kStartTimeoutMs), 0);
        // A damaged hot key may be refused with its message; nothing else
        // may trouble the user.
        for (const ShownBox& box : program.Boxes())
            EXPECT_EQ(box.text.rfind(L"ホットキーの設定に失敗しました。", 0), 0u)
                << "unexpected message: " << std::string(box.text.begin(), box.text.end());
    }

    // Everything the program wrote on its way out has the program's own type.
    void ExpectSoundValuesStored(bool menusSaved)
    {
        for (const LayoutValue& value : DamagedLayout()) {
            if (!menusSaved && value.key.starts_with(L"Menu\\"))
                continue;
            const RegistryValueCopy stored = ValueOf(KeyPath(value.key), value.name);
            const std::string where(value.name.begin(), value.name.end());
            switch (value.meaning) {
            case Meaning::Text:
            case Meaning::Real:
                EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ)) << where;
                break;
            case Meaning::Number:
            case Meaning::Boolean:
                EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD)) << where;
                EXPECT_EQ(stored.bytes.size(), sizeof(DWORD)) << where;
                break;
            }
        }
        const RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProduct);
        EXPECT_EQ(product.ReadValue(L"Version", std::int32_t{0}), 500);
        const RegistryKey position = product.SubKey(L"Position");
        for (const wchar_t* axis : {L"x", L"y"}) {
            const float fraction = position.ReadValue(axis, -1.0f);
            EXPECT_TRUE(std::isfinite(fraction) && fraction >= 0.0f && fraction <= 1.0f)
                << fraction;
        }
        const RegistryKey maker = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kMakerKeyPath);
        const std::wstring self = maker.ReadValue(L"Korvane", L"");
        EXPECT_EQ(self, BuildFolder() + L"korvane.EXE");
        EXPECT_EQ(ValueOf(kMakerKeyPath, L"GoneTool").type, static_cast<DWORD>(REG_NONE));
    }

    static int CentredLeft() { return GetSystemMetrics(SM_CXSCREEN) / 2 - 17; }
    static int CentredTop() { return GetSystemMetrics(SM_CYSCREEN) / 2 - 17; }

    std::vector<RegistryTree> validBefore;
};

}  // namespace

TEST_F(RegistryMatrixTest, ValuesOfEveryWrongTypeStartThePadAndKeepTheValidCommands)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        WrongType type;
        int left, top;  // where the pad's corner must be
        std::int32_t menusAfterExit;
    };
    // A number stands for a position too, held to the screen; nothing else
    // reads as one and the pad comes up centred. A menu count that cannot be
    // read loads the three entries stored; a negative one loads none.
    const Case cases[] = {
        {WrongType::Text, CentredLeft(), CentredTop(), 3},
        {WrongType::Binary, CentredLeft(), CentredTop(), 3},
        {WrongType::Dword, -17, -17, 0},  // 0xDEADBEEF is negative
        {WrongType::Qword, width - 17, height - 17, 3},
        {WrongType::Empty, CentredLeft(), CentredTop(), 3},
        {WrongType::LongText, CentredLeft(), CentredTop(), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NameOf(c.type));
        RegistrySandbox fresh;
        StoreValidCommands(3);
        size_t index = 0;
        for (const LayoutValue& value : DamagedLayout())
            WriteWrong(KeyPath(value.key), value.name, c.type, index++);
        WriteWrong(kMakerKeyPath, L"Korvane", c.type, 0);
        RunProgram(c.left, c.top);
        ExpectSoundValuesStored(c.menusAfterExit > 0);
        ExpectValidCommandsKept();
        EXPECT_EQ(RegistryRoot()
                      .OpenKey(HKEY_CURRENT_USER, KeyPath(L"Menu"))
                      .ReadValue(L"NumberOfMenus", std::int32_t{-1}),
                  c.menusAfterExit);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(RegistryMatrixTest, MenuCountsAndPositionsOutOfRangeAreHeldToWhatIsThere)
{
    struct Case {
        std::int32_t numberOfMenus;
        std::int32_t menusAfterExit;
        const wchar_t* position;
        int left, top;  // where the pad's corner must be
        WrongType hotKey;
    };
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const Case cases[] = {
        {-1, 0, L"nan", CentredLeft(), CentredTop(), WrongType::Dword},
        {0, 0, L"1e30", width - 17, height - 17, WrongType::Qword},
        {2147483647, 3, L"-1e30", -17, -17, WrongType::LongText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numberOfMenus);
        RegistrySandbox fresh;
        StoreValidCommands(c.numberOfMenus);
        WriteText(KeyPath(L"Position"), L"x", c.position);
        WriteText(KeyPath(L"Position"), L"y", c.position);
        // A custom image whose name is far too long for any file.
        const DWORD on = 1;
        WriteRaw(kProduct, L"CustomIcon", REG_DWORD, &on, sizeof on);
        WriteText(kProduct, L"CustomIconFile", L"C:\\" + std::wstring(40000, L'i') + L".ico");
        // A damaged hot key behind a current version, which keeps it from
        // being replaced by the first start's default.
        const DWORD version = 500;
        WriteRaw(kProduct, L"Version", REG_DWORD, &version, sizeof version);
        WriteWrong(kProduct, L"HotKey", c.hotKey, 0);
        RunProgram(c.left, c.top);
        ExpectValidCommandsKept();
        const RegistryKey menu = RegistryRoot().OpenKey(HKEY_CURRENT_USER, KeyPath(L"Menu"));
        EXPECT_EQ(menu.ReadValue(L"NumberOfMenus", std::int32_t{-1}), c.menusAfterExit);
        if (HasFatalFailure())
            return;
    }
}
