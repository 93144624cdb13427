#pragma once
// The general page's two buttons that write every setting to a settings
// file and read them back from one, in the free band below its frames.

#include "forms/control.h"
#include "settings/settings_record.h"

class cSettings;
class SettingsFrame;

class TransferButtons {
public:
    // Buttons on page; settings is the dialog's working copy.
    TransferButtons(SettingsFrame& frame, Control& page, cSettings& settings);

private:
    // What the dialog shows, unapplied edits included, into a file.
    void cmdExport_Click();
    // A file's settings in place of the stored ones, once the user agrees;
    // the dialog then shows them with nothing left to apply.
    void cmdImport_Click();
    // The record in place of the kept settings, and the dialog shows them;
    // nothing when the user keeps a file that cannot be read.
    void ReplaceSettings(const SettingsRecord& settings);

    SettingsFrame& frame_;
    cSettings& settings_;
    Control cmdExport;
    Control cmdImport;
};
