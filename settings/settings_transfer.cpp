#include "settings/settings_transfer.h"

#include <windows.h>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "objlib/persist.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_lock.h"
#include "settings/staged_write.h"
#include "settings/whole_file_write.h"

namespace {

constexpr wchar_t kPositionKeyName[] = L"Position";

RegistryKey ProductKey() { return RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath); }

// The problems' texts are numbered in the problems' order, but for the last.
static_assert(IDS_SETTINGS_FILE_TOO_LARGE + static_cast<UINT>(SettingsFileProblem::BadUtf16) ==
              IDS_SETTINGS_FILE_BAD_UTF16);

UINT ProblemText(SettingsFileProblem problem)
{
    return problem == SettingsFileProblem::NotALanguage
               ? IDS_SETTINGS_FILE_NOT_A_LANGUAGE
               : IDS_SETTINGS_FILE_TOO_LARGE + static_cast<UINT>(problem);
}

constexpr UINT kCannotExport = IDS_SETTINGS_NOT_EXPORTED;
constexpr UINT kCannotImport = IDS_SETTINGS_NOT_IMPORTED;

// The failure for the user: what could not be done with which file, and why.
[[noreturn]] void Fail(UINT what, const std::wstring& fileName, const std::wstring& why)
{
    throw NumberedError(kErrInvalidValue, UiText(what, {fileName}) + L"\r\n\r\n" + why);
}

[[noreturn]] void Fail(UINT what, const std::wstring& fileName, const SettingsFileError& problem)
{
    const std::vector<std::wstring>& values = problem.Values();
    const auto value = [&](std::size_t i) {
        return i < values.size() ? std::wstring_view(values[i]) : std::wstring_view();
    };
    Fail(what, fileName, UiText(ProblemText(problem.Problem()), {value(0), value(1), value(2), value(3)}));
}

// Calls copy(record's field, command's field) for the fields both keep alike.
template <typename Record, typename Copy>
void PairFields(Record& record, ShellCommand& command, Copy copy)
{
    copy(record.caption, command.Caption);
    copy(record.windowState, command.WindowState);
    copy(record.setFocus, command.SetFocus);
}

// Calls pair(record's command, the list's command) for every slot of a
// fixed list, the drags from slot 1 (slot 0 is never stored).
template <typename Slots, typename Pair>
void PairSlots(Slots& slots, ShellCommands& list, std::int32_t first, Pair pair)
{
    for (std::size_t i = 0; i < slots.size(); ++i)
        pair(slots[i], *list.Item(static_cast<std::int32_t>(i) + first));
}

// Calls pair(record's command, the list's command) for every drag and key.
template <typename Record, typename Pair>
void PairSlots(Record& record, cSettings& settings, Pair pair)
{
    PairSlots(record.drags, settings.Drags(), 1, pair);
    PairSlots(record.keys, settings.Keys(), 0, pair);
}

// Calls copy(record's option, the settings' option) for every option.
template <typename Record, typename Copy>
void PairOptions(Record& record, cSettings& settings, Copy copy)
{
    copy(record.popupStatus, settings.PopupStatus);
    copy(record.alwaysOnTop, settings.AlwaysOnTop);
    copy(record.doubleClickCommand, settings.DblClickCommand);
    copy(record.activeStyle, settings.ActiveStyle);
    copy(record.hotKey, settings.HotKey);
    copy(record.swapButtons, settings.SwapButtons);
    copy(record.useCustomIcon, settings.UseCustomIcon);
    copy(record.customIconFile, settings.CustomIcon);
    copy(record.language, settings.Language);
}

const auto kIntoRecord = [](auto& record, const auto& stored) { record = stored; };
const auto kFromRecord = [](const auto& record, auto& stored) { stored = record; };

void IntoRecord(CommandRecord& record, ShellCommand& command)
{
    record.program = command.StoredProgram();
    record.arguments = command.Argument();
    record.workingDirectory = command.WorkDir();
    PairFields(record, command, kIntoRecord);
}

void FromRecord(const CommandRecord& record, ShellCommand& command)
{
    command.SetStoredTexts(record.program, record.arguments, record.workingDirectory);
    PairFields(record, command, kFromRecord);
}

void Take(const SettingsRecord& record, cSettings& settings)
{
    TakeOptions(record, settings);
    for (const ShellCommands* list : {&settings.Drags(), &settings.Keys(), &settings.Menus()})
        TakeList(record, settings, *list);
}

std::string ReadWholeFile(const std::wstring& fileName)
{
    UniqueKernelHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size))
        Fail(kCannotImport, fileName, LastErrorText());
    try {
        CheckSettingsFileSize(static_cast<std::uint64_t>(size.QuadPart));
    } catch (const SettingsFileError& e) {
        Fail(kCannotImport, fileName, e);
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        Fail(kCannotImport, fileName, LastErrorText());
    return bytes;
}

}  // namespace

SettingsRecord StoredSettings()
{
    // Read whole, never while a save or an import switches them over.
    const SettingsLock lock;
    RegistryKey key = ProductKey();
    FinishStagedWrite(key);
    cSettings settings;
    Persistence().PersistOf(settings).Load(key);
    SettingsRecord record = RecordOf(settings);
    TakeStoredPlace(record);
    return record;
}

SettingsRecord RecordOf(cSettings& settings)
{
    SettingsRecord record;
    PairOptions(record, settings, kIntoRecord);
    PairSlots(record, settings, IntoRecord);
    for (std::int32_t i = 0; i < settings.Menus().Count(); ++i)
        IntoRecord(record.menus.emplace_back(), *settings.Menus().Item(i));
    return record;
}

void TakeStoredPlace(SettingsRecord& record)
{
    const SettingsLock lock;
    const RegistryKey position = ProductKey().SubKey(kPositionKeyName);
    record.x = position.ReadValue(L"x", record.x);
    record.y = position.ReadValue(L"y", record.y);
}

void TakeOptions(const SettingsRecord& record, cSettings& settings)
{
    PairOptions(record, settings, kFromRecord);
}

void TakeList(const SettingsRecord& record, cSettings& settings, const ShellCommands& list)
{
    if (&list == &settings.Drags()) {
        PairSlots(record.drags, settings.Drags(), 1, FromRecord);
    } else if (&list == &settings.Keys()) {
        PairSlots(record.keys, settings.Keys(), 0, FromRecord);
    } else {
        settings.Menus().Clear();
        for (const CommandRecord& entry : record.menus)
            FromRecord(entry, *settings.Menus().Add(-1));
    }
}

void ExportSettings(const std::wstring& fileName, const SettingsRecord& settings, UINT failureText)
{
    std::string text;
    try {
        text = WriteSettingsFile(settings);
    } catch (const SettingsFileError& e) {
        Fail(failureText, fileName, e);
    }
    WriteWholeFile(fileName, text, failureText);
}

SettingsRecord ReadSettingsFrom(const std::wstring& fileName)
{
    const std::string text = ReadWholeFile(fileName);
    try {
        return ReadSettingsFile(text);
    } catch (const SettingsFileError& e) {
        Fail(kCannotImport, fileName, e);
    }
}

void ImportSettings(const SettingsRecord& record)
{
    cSettings settings;
    Take(record, settings);
    // Everything in one switch: a process ended part-way leaves the old
    // settings or the new ones, and the next start finishes or undoes it.
    RegistryKey product = ProductKey();
    settings.SaveWith(product, [&](RegistryKey& contents) {
        RegistryKey position = contents.SubKey(kPositionKeyName);
        position.WriteValue(L"x", record.x);
        position.WriteValue(L"y", record.y);
        // Without it the next start would take the settings for a first
        // start's and put its own hot key over the imported one.
        contents.WriteValue(L"Version", kSettingsLayoutVersion);
    });
}
