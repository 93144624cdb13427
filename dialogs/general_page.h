#pragma once
// The general page of the settings dialog: the pad's hot key, its picture,
// four options, the start at sign-in, what a double-click on the pad does,
// the language of the next start, and where the settings are kept.

#include <cstdint>

#include "dialogs/settings_page.h"
#include "dialogs/transfer_buttons.h"
#include "forms/control_array.h"
#include "settings/sign_in_start.h"

class cSettings;

class GeneralPage : public SettingsPage {
public:
    // Edits the options of settings; the tools of the list pages are hidden
    // while it is on show.
    GeneralPage(SettingsFrame& frame, Control& page, cSettings& settings, CommandTools tools);

    // The hot key the pad holds as the dialog opens, however it got it,
    // which may differ from the stored one: the page shows it, and OK saves
    // it even when the page was never shown.
    void KeepPadHotKey(std::int32_t hotKey) { PadHotKey = hotKey; }
    // The detail fields and the item buttons have nothing to show here.
    void Shown() override;
    void Store() override;
    // The start at sign-in, which lives outside the settings: changed in
    // Windows' Run key on OK and Apply, when the box was changed.
    void Apply() override;
    void Unload() override;

protected:
    // The settings into the page's controls.
    void Fill() override;
    void Refill() override;

private:
    // The options and the hot key into the controls.
    void ShowSettings();
    // Something the user changed: Apply has something to save.
    void Edited();
    void optIcon_Click();
    void cmdRefIcon_Click();

    cSettings& settings_;
    CommandTools tools_;
    std::int32_t PadHotKey = 0;
    // True while Fill sets the controls, whose clicks then edit nothing.
    bool Filling = false;

    Control fraHotKey;
    Control lblHotKey;
    Control picHotKey;
    Control HotKeyWnd;  // the hot-key control
    Control lblHotKeyNote;
    Control fraIcon;
    ControlArray optIcon;
    Control txtIcon;
    Control cmdRefIcon;
    Control fraGeneral;
    Control chkAlwaysOnTop;
    Control chkPopupStatus;
    Control chkSwapButtons;
    Control chkActiveStyle;
    Control chkStartAtSignIn;
    // As found when the page was filled or last applied.
    SignInStart SignIn = SignInStart::Off;
    Control fraDblClick;
    ControlArray optDblClick;
    Control lblLanguage;
    Control cboLanguage;  // automatic, Japanese, English
    Control lblLanguageNote;
    TransferButtons transfer_;
    // Where the settings are kept: the registry, or the file beside the
    // program.
    Control lblSettingsPlace;
    Control txtSettingsPlace;
};
