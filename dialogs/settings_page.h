#pragma once
// One page of the settings dialog: the controls on one of its four tabs and
// their handlers. The page's controls are declared with the dialog, but
// their windows are made when the page is first shown. The frame hands each
// page what it edits and what it does for it (SettingsFrame).

#include "dialogs/settings_frame.h"
#include "forms/control.h"

class CommandFields;
class ItemButtons;

// The detail fields and the item buttons, which the drag, key and menu pages
// share; the general page hides them.
struct CommandTools {
    CommandFields& fields;
    ItemButtons& buttons;
};

class SettingsPage {
public:
    // Makes the page's windows and fills them from what it edits; only
    // the first time.
    void Create()
    {
        if (page_.ContentsCreated())
            return;
        page_.CreateContents();
        Fill();
    }
    // What the page edits was replaced (an import): the page's controls, if
    // made, show it anew.
    void Reload()
    {
        if (page_.ContentsCreated())
            Refill();
    }
    // The page has become the one on show.
    virtual void Shown() = 0;
    // What the page's controls hold, back into the working copy (OK, Apply).
    virtual void Store() {}
    // After OK or Apply saved the working copy: what the page keeps outside
    // the settings.
    virtual void Apply() {}
    // The dialog closes: what the page holds beside its windows goes too.
    virtual void Unload() {}

protected:
    SettingsPage(SettingsFrame& frame, Control& page) : frame_(frame), page_(page) {}
    ~SettingsPage() = default;
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    // The page's controls, just made, from the working copy.
    virtual void Fill() = 0;
    // The page's controls, made before, from the working copy again.
    virtual void Refill() { Fill(); }

    SettingsFrame& frame_;
    // The page's frame fraTab(i), which holds its controls.
    Control& page_;
};
