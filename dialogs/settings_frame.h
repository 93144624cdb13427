#pragma once
// What the settings dialog's frame does for its pages: the window they are
// made on, the Apply button, and the menus and file dialogs of the dialog.

#include <initializer_list>
#include <string>

class Control;
class FileDialog;
class Form;
class PopupMenu;

class SettingsFrame {
public:
    // The dialog's window, on which the pages make their controls.
    virtual Form& Dialog() = 0;
    // Something was edited that OK or Apply would save.
    virtual void EnableApply() = 0;
    // Pops the menu up beside the button's upper-right corner.
    virtual void PopupMenuBeside(Control& button, PopupMenu& menu) = 0;
    // File and folder dialogs of this dialog, titled and sized alike every time.
    virtual FileDialog BrowseFileDialog() = 0;
    virtual FileDialog BrowseFolderDialog() = 0;
    // A part of the dialog orders its own controls.
    virtual void OrderTabs(std::initializer_list<Control*> sequence) = 0;
    // Every page's controls into the working copy, as OK does before it saves.
    virtual void StorePages() = 0;
    // An import replaced the stored settings: the pages show them, nothing
    // is left to apply (as after OK), and the host takes them up.
    virtual void SettingsReplaced() = 0;
    // Asks the user, with the reader's message, whether a settings file that
    // cannot be read may be replaced; true when they agree.
    virtual bool MayReplaceUnreadable(const std::wstring& problem) = 0;

protected:
    ~SettingsFrame() = default;
};
