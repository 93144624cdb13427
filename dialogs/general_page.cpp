#include "dialogs/general_page.h"

#include <commctrl.h>

#include <array>

#include "base/interface_text.h"
#include "dialogs/command_fields.h"
#include "dialogs/item_buttons.h"
#include "base/system.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
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
    return index == 0 ? ControlDesign(Kind::OptionButton, 16, 22, 200, 18, UiText(IDS_ICON_ORIGINAL),
                                      UiText(IDS_ICON_ORIGINAL_TIP))
                      : ControlDesign(Kind::OptionButton, 16, 48, 88, 18, UiText(IDS_ICON_CUSTOM),
                                      UiText(IDS_ICON_CUSTOM_TIP));
}

ControlDesign DblClickOptionDesign(int index)
{
    static constexpr std::array<UINT, 3> kCaptions = {
        IDS_DBLCLICK_TOGGLE_DESKTOP, IDS_DBLCLICK_SETTINGS, IDS_DBLCLICK_EXIT};
    return ControlDesign(Kind::OptionButton, 16, 22 * index, 160, 18, UiText(kCaptions.at(index - 1)));
}

// The stored texts of the language list's entries, in its order.
constexpr std::array<const wchar_t*, 3> kLanguageValues = {L"", L"ja", L"en"};
constexpr std::array<UINT, 3> kLanguageNames = {IDS_LANGUAGE_AUTOMATIC, IDS_LANGUAGE_JAPANESE,
                                                IDS_LANGUAGE_ENGLISH};

// The entry of the language list that shows a stored choice.
int LanguageIndex(const std::wstring& stored)
{
    const std::optional<InterfaceLanguage> language = StoredLanguage(stored);
    return !language ? 0 : *language == InterfaceLanguage::Japanese ? 1 : 2;
}

// The options' rows, 20 pixels apart, in a frame of five.
ControlDesign CheckDesign(int row, std::wstring caption, std::wstring tip = {})
{
    return ControlDesign(Kind::CheckBox, 16, 20 * row, 252, 18, caption, tip);
}

constexpr int kOptionsHeight = 122;

}  // namespace

GeneralPage::GeneralPage(SettingsFrame& frame, Control& page, cSettings& settings, CommandTools tools)
    : SettingsPage(frame, page), settings_(settings), tools_(tools),
      fraHotKey(frame.Dialog(), L"fraHotKey", ControlDesign(Kind::Frame, 8, 8, 465, 80, UiText(IDS_HOT_KEY_FRAME)), &page),
      lblHotKey(frame.Dialog(), L"lblHotKey", ControlDesign(Kind::Label, 16, 26, 96, 12, UiText(IDS_HOT_KEY_LABEL)),
                &fraHotKey),
      picHotKey(frame.Dialog(), L"picHotKey",
                ControlDesign(Kind::PictureBox, 112, 22, 225, 18, {}, UiText(IDS_HOT_KEY_TIP)),
                &fraHotKey),
      HotKeyWnd(frame.Dialog(), L"HotKeyWnd",
                ControlDesign(Kind::HotKey, 0, 0, 225, 18, {}, UiText(IDS_HOT_KEY_TIP)), &picHotKey),
      lblHotKeyNote(frame.Dialog(), L"lblHotKeyNote",
                    ControlDesign(Kind::Label, 16, 54, 440, 12,
                                  UiText(IDS_HOT_KEY_NOTE)),
                    &fraHotKey),
      fraIcon(frame.Dialog(), L"fraIcon", ControlDesign(Kind::Frame, 8, 98, 465, 80, UiText(IDS_ICON_FRAME)),
              &page),
      optIcon(frame.Dialog(), L"optIcon", 0, 1, IconOptionDesign, [this](int) { return &fraIcon; }),
      txtIcon(frame.Dialog(), L"txtIcon",
              ControlDesign(Kind::TextBox, 106, 47, 264, 20, {}, UiText(IDS_ICON_FILE_TIP))
                  .Disabled(),
              &fraIcon),
      cmdRefIcon(frame.Dialog(), L"cmdRefIcon",
                 ControlDesign(Kind::CommandButton, 378, 46, 79, 21, UiText(IDS_BROWSE_ICON),
                               UiText(IDS_BROWSE_ICON_TIP))
                     .Disabled(),
                 &fraIcon),
      fraGeneral(frame.Dialog(), L"fraGeneral", ControlDesign(Kind::Frame, 8, 188, 276, kOptionsHeight, UiText(IDS_GENERAL_FRAME)), &page),
      chkAlwaysOnTop(frame.Dialog(), L"chkAlwaysOnTop", CheckDesign(1, UiText(IDS_ALWAYS_ON_TOP)),
                     &fraGeneral),
      chkPopupStatus(frame.Dialog(), L"chkPopupStatus",
                     CheckDesign(2, UiText(IDS_POPUP_STATUS)), &fraGeneral),
      chkSwapButtons(frame.Dialog(), L"chkSwapButtons",
                     CheckDesign(3, UiText(IDS_SWAP_BUTTONS)), &fraGeneral),
      chkActiveStyle(frame.Dialog(), L"chkActiveStyle", CheckDesign(4, UiText(IDS_ACTIVE_STYLE)),
                     &fraGeneral),
      chkStartAtSignIn(frame.Dialog(), L"chkStartAtSignIn",
                       CheckDesign(5, UiText(IDS_START_AT_SIGN_IN), UiText(IDS_START_AT_SIGN_IN_TIP)),
                       &fraGeneral),
      fraDblClick(frame.Dialog(), L"fraDblClick",
                  ControlDesign(Kind::Frame, 292, 188, 181, kOptionsHeight, UiText(IDS_DBLCLICK_FRAME)),
                  &page),
      optDblClick(frame.Dialog(), L"optDblClick", 1, 3, DblClickOptionDesign,
                  [this](int) { return &fraDblClick; }),
      // The upper row of the band below the frames.
      lblLanguage(frame.Dialog(), L"lblLanguage",
                  ControlDesign(Kind::Label, 16, 318, 64, 12, UiText(IDS_LANGUAGE_LABEL)), &page),
      cboLanguage(frame.Dialog(), L"cboLanguage",
                  ControlDesign(Kind::ComboBox, 88, 314, 113, 20, {}, UiText(IDS_LANGUAGE_TIP)),
                  &page),
      lblLanguageNote(frame.Dialog(), L"lblLanguageNote",
                      ControlDesign(Kind::Label, 208, 318, 265, 12, UiText(IDS_LANGUAGE_NOTE)),
                      &page),
      // The lower row of the band.
      transfer_(frame, page, settings),
      lblSettingsPlace(frame.Dialog(), L"lblSettingsPlace",
                       ControlDesign(Kind::Label, 296, 337, 177, 12, UiText(IDS_SETTINGS_PLACE_LABEL)),
                       &page),
      txtSettingsPlace(frame.Dialog(), L"txtSettingsPlace",
                       ControlDesign(Kind::TextBox, 296, 350, 177, 18, {}, UiText(IDS_SETTINGS_PLACE_TIP))
                           .Style(ES_READONLY),
                       &page)
{
    for (int i = optIcon.LBound(); i <= optIcon.UBound(); ++i)
        optIcon(i).OnClick = [this] { optIcon_Click(); };
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i)
        optDblClick(i).OnClick = [this] { Edited(); };
    for (Control* option :
         {&chkAlwaysOnTop, &chkPopupStatus, &chkSwapButtons, &chkActiveStyle, &chkStartAtSignIn})
        option->OnClick = [this] { Edited(); };
    txtIcon.OnChange = [this] { Edited(); };
    cboLanguage.OnClick = [this] { Edited(); };
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
    const HWND control = HotKeyWnd.hWnd();
    SendMessageW(control, HKM_SETRULES, kInvalidCombinations, kReplacementModifiers);
    Win32CallBack::HookHotKeyControl(control, [this] { Edited(); });
    for (UINT name : kLanguageNames)
        cboLanguage.AddItem(UiText(name));
    // The installer's entry for all users is the installer's to change.
    SignIn = ReadSignInStart();
    if (SignIn == SignInStart::AllUsers) {
        chkStartAtSignIn.SetText(UiText(IDS_START_AT_SIGN_IN_ALL_USERS));
        chkStartAtSignIn.SetEnabled(false);
    }
    const std::wstring& file = PortableSettingsFile();
    txtSettingsPlace.SetText(file.empty() ? UiText(IDS_SETTINGS_PLACE_REGISTRY) : file);
    ShowSettings();
}

// The hot-key control is hooked and the language list filled once, when
// they are made.
void GeneralPage::Refill() { ShowSettings(); }

void GeneralPage::ShowSettings()
{
    Filling = true;
    SendMessageW(HotKeyWnd.hWnd(), HKM_SETHOTKEY, static_cast<WPARAM>(PadHotKey), 0);
    const cSettings& settings = settings_;
    // A stored action out of range selects none.
    for (int i = optDblClick.LBound(); i <= optDblClick.UBound(); ++i)
        optDblClick(i).SetValue(i == settings.DblClickCommand ? 1 : 0);
    chkAlwaysOnTop.SetValue(settings.AlwaysOnTop ? 1 : 0);
    chkPopupStatus.SetValue(settings.PopupStatus ? 1 : 0);
    chkSwapButtons.SetValue(settings.SwapButtons ? 1 : 0);
    chkActiveStyle.SetValue(settings.ActiveStyle ? 1 : 0);
    chkStartAtSignIn.SetValue(SignIn == SignInStart::Off ? 0 : 1);
    optIcon(settings.UseCustomIcon ? 1 : 0).SetValue(1);
    txtIcon.SetText(settings.CustomIcon);
    cboLanguage.SetListIndex(LanguageIndex(settings.Language));
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
    if (const int language = cboLanguage.ListIndex(); language >= 0)
        settings.Language = kLanguageValues.at(static_cast<std::size_t>(language));
}

void GeneralPage::Apply()
{
    if (!page_.ContentsCreated() || SignIn == SignInStart::AllUsers)
        return;
    const bool on = chkStartAtSignIn.Value() != 0;
    if (on == (SignIn == SignInStart::ThisUser))
        return;
    // Whichever copy of the program the user runs: an installed one or one
    // unpacked from the zip into any folder.
    WriteSignInStart(on, ProgramPath());
    SignIn = on ? SignInStart::ThisUser : SignInStart::Off;
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
    dialog.Filter = FilterList({{UiText(IDS_PICTURE_FILTER), L"*.ico;*.bmp"}, {UiText(IDS_ALL_FILES), L"*.*"}});
    dialog.DefaultExt = L".ico";
    dialog.Flags = kOpenFileFlags;
    const std::vector<std::wstring> chosen = dialog.ShowOpen();
    if (!chosen.empty())
        txtIcon.SetText(chosen.front());
}
