#include "dialogs/general_page.h"

#include <commctrl.h>

#include <array>

#include "base/interface_text.h"
#include "dialogs/command_fields.h"
#include "dialogs/item_buttons.h"
#include "settings/settings.h"
#include "forms/win32_callback.h"
#include "objlib/file_dialog.h"
#include "objlib/text_box_tools.h"

namespace {

using Kind = ControlKind;

// Combinations the hot-key control does not take as they are: none, Shift,
// Ctrl or Alt alone; it adds Ctrl + Alt to them instead.
constexpr WPARAM kInvalidCombinations = HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A;
constexpr LPARAM kReplacementModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;
static_assert(kInvalidCombinations == 15 && kReplacementModifiers == 6);

ControlDesign IconOptionDesign(int index)
{
    return index == 0 ? ControlDesign(Kind::OptionButton, 16, 22, 200, 18, L"オリジナル(&G)",
                                      L"元の画像を表示します")
                      : ControlDesign(Kind::OptionButton, 16, 48, 88, 18, L"カスタム(&C)",
                                      L"指定した画像を表示します");
}

ControlDesign DblClickOptionDesign(int index)
{
    static constexpr std::array<const wchar_t*, 3> kCaptions = {L"最小化／最小化を戻す(&T)",
                                                                L"設定(&O)", L"終了(&U)"};
    return ControlDesign(Kind::OptionButton, 16, 22 * index, 160, 18, kCaptions.at(index - 1));
}

ControlDesign CheckDesign(int top, const wchar_t* caption)
{
    return ControlDesign(Kind::CheckBox, 16, top, 252, 18, caption);
}

}  // namespace

GeneralPage::GeneralPage(SettingsFrame& frame, Control& page, cSettings& settings, CommandTools tools)
    : SettingsPage(frame, page), settings_(settings), tools_(tools),
      fraHotKey(frame.Dialog(), L"fraHotKey", ControlDesign(Kind::Frame, 8, 8, 465, 80, L"ホットキー"), &page),
      lblHotKey(frame.Dialog(), L"lblHotKey", ControlDesign(Kind::Label, 16, 26, 96, 12, L"ホットキー(&H):"),
                &fraHotKey),
      picHotKey(frame.Dialog(), L"picHotKey",
                ControlDesign(Kind::PictureBox, 112, 22, 225, 18, {}, L"ホットキーを入力します"),
                &fraHotKey),
      HotKeyWnd(frame.Dialog(), L"HotKeyWnd",
                ControlDesign(Kind::HotKey, 0, 0, 225, 18, {}, L"ホットキーを入力します"), &picHotKey),
      lblHotKeyNote(frame.Dialog(), L"lblHotKeyNote",
                    ControlDesign(Kind::Label, 16, 54, 440, 12,
                                  L"※ このキーの組み合わせを押すことによってランチャーがアクティブになります"),
                    &fraHotKey),
      fraIcon(frame.Dialog(), L"fraIcon", ControlDesign(Kind::Frame, 8, 98, 465, 80, L"ランチャーのアイコン"),
              &page),
      optIcon(frame.Dialog(), L"optIcon", 0, 1, IconOptionDesign, [this](int) { return &fraIcon; }),
      txtIcon(frame.Dialog(), L"txtIcon",
              ControlDesign(Kind::TextBox, 106, 47, 264, 20, {}, L"画像のファイル名を入力します")
                  .Disabled(),
              &fraIcon),
      cmdRefIcon(frame.Dialog(), L"cmdRefIcon",
                 ControlDesign(Kind::CommandButton, 378, 46, 79, 21, L"参照(&R)...",
                               L"画像参照ダイアログを表示します")
                     .Disabled(),
                 &fraIcon),
      fraGeneral(frame.Dialog(), L"fraGeneral", ControlDesign(Kind::Frame, 8, 188, 276, 116, L"設定"), &page),
      chkAlwaysOnTop(frame.Dialog(), L"chkAlwaysOnTop", CheckDesign(22, L"常に手前に表示する(&N)"),
                     &fraGeneral),
      chkPopupStatus(frame.Dialog(), L"chkPopupStatus",
                     CheckDesign(44, L"キーコマンド一覧をポップアップ表示する(&I)"), &fraGeneral),
      chkSwapButtons(frame.Dialog(), L"chkSwapButtons",
                     CheckDesign(66, L"左右のマウスボタンの動作を入れ替える(&S)"), &fraGeneral),
      chkActiveStyle(frame.Dialog(), L"chkActiveStyle", CheckDesign(88, L"ドラッグアニメーション(&X)"),
                     &fraGeneral),
      fraDblClick(frame.Dialog(), L"fraDblClick",
                  ControlDesign(Kind::Frame, 292, 188, 181, 116, L"ランチャーのダブルクリック時"),
                  &page),
      optDblClick(frame.Dialog(), L"optDblClick", 1, 3, DblClickOptionDesign,
                  [this](int) { return &fraDblClick; })
{
    for (int i = optIcon.LBound(); i <= optIcon.UBound(); ++i)
        optIcon(i).OnClick = [this] { optIcon_Click(); };
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i)
        optDblClick(i).OnClick = [this] { Edited(); };
    for (Control* option : {&chkAlwaysOnTop, &chkPopupStatus, &chkSwapButtons, &chkActiveStyle})
        option->OnClick = [this] { Edited(); };
    txtIcon.OnChange = [this] { Edited(); };
    txtIcon.OnGotFocus = [this] { TextBoxTools::OnTextBoxFocus(txtIcon.hWnd()); };
    cmdRefIcon.OnClick = [this] { cmdRefIcon_Click(); };
    // Tabbing into the host box lands in the control it holds.
    picHotKey.OnGotFocus = [this] { HotKeyWnd.SetFocus(); };
    // The hot-key control sits in its host box, away from its label; the
    // picture's path is a box under an option.
    HotKeyWnd.SetAccessibleName(WithoutAccessKeys(lblHotKey.Text()));
    txtIcon.SetAccessibleName(UiText(IDS_ICON_FILE_NAME));
}

void GeneralPage::Fill()
{
    Filling = true;
    const HWND control = HotKeyWnd.hWnd();
    SendMessageW(control, HKM_SETRULES, kInvalidCombinations, kReplacementModifiers);
    SendMessageW(control, HKM_SETHOTKEY, static_cast<WPARAM>(PadHotKey), 0);
    Win32CallBack::HookHotKeyControl(control, [this] { Edited(); });
    const cSettings& settings = settings_;
    const std::int32_t action = settings.DblClickCommand;
    if (action >= optDblClick.LBound() && action <= optDblClick.UBound())
        optDblClick(action).SetValue(1);
    chkAlwaysOnTop.SetValue(settings.AlwaysOnTop ? 1 : 0);
    chkPopupStatus.SetValue(settings.PopupStatus ? 1 : 0);
    chkSwapButtons.SetValue(settings.SwapButtons ? 1 : 0);
    chkActiveStyle.SetValue(settings.ActiveStyle ? 1 : 0);
    optIcon(settings.UseCustomIcon ? 1 : 0).SetValue(1);
    txtIcon.SetText(settings.CustomIcon);
    Filling = false;
}

void GeneralPage::Shown()
{
    tools_.fields.Hide();
    tools_.buttons.Hide();
}

void GeneralPage::Store()
{
    cSettings& settings = settings_;
    // A page never shown has had nothing edited, but its hot key control
    // would have shown the pad's.
    if (!page_.ContentsCreated()) {
        settings.HotKey = PadHotKey;
        return;
    }
    // With no option selected (a stored value out of range) the value stays.
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i) {
        if (optDblClick(i).Value())
            settings.DblClickCommand = i;
    }
    settings.ActiveStyle = chkActiveStyle.Value() != 0;
    settings.PopupStatus = chkPopupStatus.Value() != 0;
    settings.AlwaysOnTop = chkAlwaysOnTop.Value() != 0;
    settings.SwapButtons = chkSwapButtons.Value() != 0;
    settings.HotKey =
        static_cast<std::int32_t>(LOWORD(SendMessageW(HotKeyWnd.hWnd(), HKM_GETHOTKEY, 0, 0)));
    settings.UseCustomIcon = optIcon(1).Value() != 0;
    settings.CustomIcon = txtIcon.Text();
}

void GeneralPage::Unload() { Win32CallBack::UnhookHotKeyControl(); }

void GeneralPage::Edited()
{
    if (!Filling)
        frame_.EnableApply();
}

// The file name box and its browse button serve the custom image only; the
// name stays when the stock image is chosen.
void GeneralPage::optIcon_Click()
{
    Edited();
    const bool custom = optIcon(1).Value() != 0;
    TextBoxTools::EnableTextBox(txtIcon.hWnd(), custom);
    cmdRefIcon.SetEnabled(custom);
}

void GeneralPage::cmdRefIcon_Click()
{
    FileDialog dialog = frame_.BrowseFileDialog();
    dialog.Filter = FilterList({{L"画像ファイル", L"*.ico;*.bmp"}, {L"すべてのファイル", L"*.*"}});
    dialog.DefaultExt = L".ico";
    dialog.Flags = kOpenFileFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (!chosen.empty())
        txtIcon.SetText(chosen.front());
}
