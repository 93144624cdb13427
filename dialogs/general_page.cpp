// The general page of the settings dialog: the pad's hot key, its picture,
// four options and what a double-click on the pad does.
#include "dialogs/settings_dialog.h"

#include <commctrl.h>

#include "forms/hot_key.h"
#include "forms/win32_callback.h"
#include "objlib/file_dialog.h"
#include "objlib/text_box_tools.h"

namespace {

// Combinations the hot-key control does not take as they are: none, Shift,
// Ctrl or Alt alone; it adds Ctrl + Alt to them instead.
constexpr WPARAM kInvalidCombinations = HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A;
constexpr LPARAM kReplacementModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;
static_assert(kInvalidCombinations == 15 && kReplacementModifiers == 6);

}  // namespace

void cDlgSettings::WireGeneralPage()
{
    for (int i = optIcon.LBound(); i <= optIcon.UBound(); ++i)
        optIcon(i).OnClick = [this] { optIcon_Click(); };
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i)
        optDblClick(i).OnClick = [this] { EnableApply(); };
    for (Control* option : {&chkAlwaysOnTop, &chkPopupStatus, &chkSwapButtons, &chkActiveStyle})
        option->OnClick = [this] { EnableApply(); };
    txtIcon.OnChange = [this] { EnableApply(); };
    txtIcon.OnGotFocus = [this] { TextBoxTools::OnTextBoxFocus(txtIcon.hWnd()); };
    cmdRefIcon.OnClick = [this] { cmdRefIcon_Click(); };
    // Tabbing into the host box lands in the control it holds.
    picHotKey.OnGotFocus = [this] { HotKeyWnd.SetFocus(); };
}

// The control shows the hot key the pad holds now, however it got it, which
// may differ from the stored one.
void cDlgSettings::LoadHotKeyControl()
{
    const HWND control = HotKeyWnd.hWnd();
    SendMessageW(control, HKM_SETRULES, kInvalidCombinations, kReplacementModifiers);
    SendMessageW(control, HKM_SETHOTKEY, static_cast<WPARAM>(HotKeyOf(OwnerWnd)), 0);
    Win32CallBack::HookHotKeyControl(control, [this] { HotKeyEdited(); });
}

void cDlgSettings::HotKeyEdited() { EnableApply(); }

void cDlgSettings::ShowGeneralSettings()
{
    const std::int32_t action = WorkSettings.DblClickCommand;
    if (action >= optDblClick.LBound() && action <= optDblClick.UBound())
        optDblClick(action).SetValue(1);
    chkAlwaysOnTop.SetValue(WorkSettings.AlwaysOnTop ? 1 : 0);
    chkPopupStatus.SetValue(WorkSettings.PopupStatus ? 1 : 0);
    chkSwapButtons.SetValue(WorkSettings.SwapButtons ? 1 : 0);
    chkActiveStyle.SetValue(WorkSettings.ActiveStyle ? 1 : 0);
    optIcon(WorkSettings.UseCustomIcon ? 1 : 0).SetValue(1);
    txtIcon.SetText(WorkSettings.CustomIcon);
}

void cDlgSettings::StoreGeneralSettings()
{
    // With no option selected (a stored value out of range) the value stays.
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i) {
        if (optDblClick(i).Value())
            WorkSettings.DblClickCommand = i;
    }
    WorkSettings.ActiveStyle = chkActiveStyle.Value() != 0;
    WorkSettings.PopupStatus = chkPopupStatus.Value() != 0;
    WorkSettings.AlwaysOnTop = chkAlwaysOnTop.Value() != 0;
    WorkSettings.SwapButtons = chkSwapButtons.Value() != 0;
    WorkSettings.HotKey =
        static_cast<std::int32_t>(LOWORD(SendMessageW(HotKeyWnd.hWnd(), HKM_GETHOTKEY, 0, 0)));
    WorkSettings.UseCustomIcon = optIcon(1).Value() != 0;
    WorkSettings.CustomIcon = txtIcon.Text();
}

// The file name box and its browse button serve the custom image only; the
// name stays when the stock image is chosen.
void cDlgSettings::optIcon_Click()
{
    EnableApply();
    const bool custom = optIcon(1).Value() != 0;
    TextBoxTools::EnableTextBox(txtIcon.hWnd(), custom);
    cmdRefIcon.SetEnabled(custom);
}

void cDlgSettings::cmdRefIcon_Click()
{
    FileDialog dialog;
    dialog.Title = L"ファイルの参照";
    dialog.Filter = FilterList({{L"画像ファイル", L"*.ico;*.bmp"}, {L"すべてのファイル", L"*.*"}});
    dialog.DefaultExt = L".ico";
    dialog.FilterIndex = 1;
    dialog.OwnerWindow = hWnd();
    dialog.MaxFileSize = MAX_PATH;
    dialog.Flags = kOpenFileFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (!chosen.empty())
        txtIcon.SetText(chosen.front());
}
