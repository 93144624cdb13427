#include "dialogs/transfer_buttons.h"

#include <algorithm>

#include "base/system.h"
#include "dialogs/settings_frame.h"
#include "forms/form.h"
#include "objlib/file_dialog.h"
#include "settings/settings_file.h"
#include "settings/settings_transfer.h"

namespace {

using Kind = ControlKind;

// Save a file: ask before overwriting, never to a read-only place.
constexpr DWORD kSaveFileFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                 OFN_NOREADONLYRETURN | OFN_EXPLORER | OFN_LONGNAMES;

FileDialog SettingsFileDialog(SettingsFrame& frame, const wchar_t* title)
{
    FileDialog dialog = frame.BrowseFileDialog();
    dialog.Title = title;
    dialog.Filter = FilterList({{L"Korvane の設定 (*.korvane.json)", std::wstring(L"*") + kSettingsFileExtension},
                                {L"すべてのファイル", L"*.*"}});
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
    return L"今の設定をすべて、次のファイルの設定に置き換えます。\r\n" + fileName +
           L"\r\n\r\nファイルのコマンド: " + std::to_wstring(drags + keys + menus) + L" 個 (ドラッグ " +
           std::to_wstring(drags) + L"、キー " + std::to_wstring(keys) + L"、メニュー " +
           std::to_wstring(menus) + L")\r\n\r\nよろしいですか?";
}

}  // namespace

TransferButtons::TransferButtons(SettingsFrame& frame, Control& page, cSettings& settings)
    : frame_(frame), settings_(settings),
      cmdExport(frame.Dialog(), L"cmdExport",
                ControlDesign(Kind::CommandButton, 8, 338, 136, 21, L"設定の書き出し(&E)...",
                              L"すべての設定をファイルに書き出します"),
                &page),
      cmdImport(frame.Dialog(), L"cmdImport",
                ControlDesign(Kind::CommandButton, 152, 338, 136, 21, L"設定の読み込み(&P)...",
                              L"ファイルの設定を読み込み、今の設定と置き換えます"),
                &page)
{
    cmdExport.OnClick = [this] { cmdExport_Click(); };
    cmdImport.OnClick = [this] { cmdImport_Click(); };
}

void TransferButtons::cmdExport_Click()
{
    FileDialog dialog = SettingsFileDialog(frame_, L"設定の書き出し");
    dialog.Flags = kSaveFileFlags;
    // The name the file takes unless the user types another; the dialog
    // would add no more than three letters of the extension to a bare name.
    std::wstring path = std::wstring(L"Korvane") + kSettingsFileExtension;
    if (!dialog.ShowSave(path))
        return;
    frame_.StorePages();
    ExportSettings(path, RecordOf(settings_));
}

void TransferButtons::cmdImport_Click()
{
    FileDialog dialog = SettingsFileDialog(frame_, L"設定の読み込み");
    dialog.Flags = kOpenFileFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (chosen.empty())
        return;
    const SettingsRecord settings = ReadSettingsFrom(chosen.front());
    if (MsgBox(ImportQuestion(chosen.front(), settings),
               MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, frame_.Dialog().hWnd()) != IDOK)
        return;
    ImportSettings(settings);
    frame_.SettingsReplaced();
}
