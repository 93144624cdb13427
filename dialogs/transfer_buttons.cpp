#include "dialogs/transfer_buttons.h"

#include <algorithm>

#include "base/interface_text.h"
#include "base/system.h"
#include "dialogs/settings_frame.h"
#include "forms/form.h"
#include "objlib/file_dialog.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "settings/settings_transfer.h"

namespace {

using Kind = ControlKind;

// Save a file: ask before overwriting, never to a read-only place.
constexpr DWORD kSaveFileFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                 OFN_NOREADONLYRETURN | OFN_EXPLORER | OFN_LONGNAMES;

// A name as long as the system allows paths to be: a name typed beyond the
// dialog's buffer is the dialog's own to handle, and some do not.
constexpr DWORD kLongestPath = 32767;

FileDialog SettingsFileDialog(SettingsFrame& frame, UINT title)
{
    FileDialog dialog = frame.BrowseFileDialog();
    dialog.Title = UiText(title);
    dialog.MaxFileSize = kLongestPath;
    dialog.Filter = FilterList({{UiText(IDS_SETTINGS_FILE_FILTER), std::wstring(L"*") + kSettingsFileExtension},
                                {UiText(IDS_ALL_FILES), L"*.*"}});
    return dialog;
}

template <typename Slots>
std::size_t CommandsIn(const Slots& slots)
{
    return static_cast<std::size_t>(std::count_if(
        slots.begin(), slots.end(), [](const CommandRecord& slot) { return !(slot == CommandRecord{}); }));
}

std::wstring ImportQuestion(const std::wstring& fileName, const SettingsRecord& settings)
{
    const std::size_t drags = CommandsIn(settings.drags);
    const std::size_t keys = CommandsIn(settings.keys);
    const std::size_t menus = settings.menus.size();
    return UiText(IDS_IMPORT_REPLACES) + L"\r\n" + fileName + L"\r\n\r\n" +
           UiText(IDS_IMPORT_COMMANDS, {std::to_wstring(drags + keys + menus), std::to_wstring(drags),
                                        std::to_wstring(keys), std::to_wstring(menus)}) +
           L"\r\n\r\n" + UiText(IDS_IMPORT_QUESTION);
}

}  // namespace

TransferButtons::TransferButtons(SettingsFrame& frame, Control& page, cSettings& settings)
    : frame_(frame), settings_(settings),
      cmdExport(frame.Dialog(), L"cmdExport",
                ControlDesign(Kind::CommandButton, 8, 340, 136, 21, UiText(IDS_EXPORT_SETTINGS),
                              UiText(IDS_EXPORT_SETTINGS_TIP)),
                &page),
      cmdImport(frame.Dialog(), L"cmdImport",
                ControlDesign(Kind::CommandButton, 152, 340, 136, 21, UiText(IDS_IMPORT_SETTINGS),
                              UiText(IDS_IMPORT_SETTINGS_TIP)),
                &page)
{
    cmdExport.OnClick = [this] { cmdExport_Click(); };
    cmdImport.OnClick = [this] { cmdImport_Click(); };
}

void TransferButtons::cmdExport_Click()
{
    FileDialog dialog = SettingsFileDialog(frame_, IDS_EXPORT_TITLE);
    dialog.Flags = kSaveFileFlags;
    // A name typed without an extension gets the settings file's whole one.
    dialog.DefaultExt = kSettingsFileExtension;
    // The name the file takes unless the user types another.
    std::wstring path = std::wstring(L"Korvane") + kSettingsFileExtension;
    if (!dialog.ShowSave(path))
        return;
    frame_.StorePages();
    const SettingsRecord record = RecordWithKeptPlace(settings_);
    if (!IsPortableSettingsFile(path)) {
        ExportSettings(path, record);
        return;
    }
    // Into the file the settings are kept in: they replace the kept ones, or
    // the pad would write its own over them when it ends.
    ReplaceSettings(record);
}

void TransferButtons::cmdImport_Click()
{
    FileDialog dialog = SettingsFileDialog(frame_, IDS_IMPORT_TITLE);
    dialog.Flags = kOpenFileFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (chosen.empty())
        return;
    const SettingsRecord settings = ReadSettingsFrom(chosen.front());
    if (MsgBox(ImportQuestion(chosen.front(), settings),
               MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, frame_.Dialog().hWnd()) != IDOK)
        return;
    ReplaceSettings(settings);
}

void TransferButtons::ReplaceSettings(const SettingsRecord& settings)
{
    if (ReplaceKeptSettings(settings, [this](const std::wstring& problem) {
            return frame_.MayReplaceUnreadable(problem);
        }))
        frame_.SettingsReplaced();
}
