#pragma once
// One page of the settings dialog: the controls on one of its four tabs and
// their handlers. The page's controls are declared with the dialog, but
// their windows are made when the page is first shown.

#include "forms/control.h"

class cDlgSettings;

class SettingsPage {
public:
    // Makes the page's windows and fills them from the working copy; only
    // the first time.
    void Create()
    {
        if (page_.ContentsCreated())
            return;
        page_.CreateContents();
        Fill();
    }
    // The page has become the one on show.
    virtual void Shown() = 0;
    // What the page's controls hold, back into the working copy (OK, Apply).
    virtual void Store() {}
    // The dialog closes: what the page holds beside its windows goes too.
    virtual void Unload() {}

protected:
    SettingsPage(cDlgSettings& dialog, Control& page) : dialog_(dialog), page_(page) {}
    ~SettingsPage() = default;
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    // The page's controls, just made, from the working copy.
    virtual void Fill() = 0;

    cDlgSettings& dialog_;
    // The page's frame fraTab(i), which holds its controls.
    Control& page_;
};
