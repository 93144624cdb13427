#pragma once
// Every user option of the program and its three command lists.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "commands/shell_commands.h"
#include "objlib/persist.h"
#include "settings/registry_paths.h"

class cSettings : public objlib::IPersist {
public:
    // Options start False, 0 and empty; they get their defaults from Load.
    // The lists start with the defaults of their kinds.
    cSettings();

    bool PopupStatus = false;      // pop up the list of key commands
    bool AlwaysOnTop = false;
    std::int32_t DblClickCommand = 0;  // 1 desktop toggle, 2 settings, 3 exit
    bool ActiveStyle = false;      // drag animation
    std::int32_t HotKey = 0;       // WM_SETHOTKEY encoding, 0 for none
    bool SwapButtons = false;
    bool UseCustomIcon = false;
    std::wstring CustomIcon;       // path of the custom .ico or .bmp
    // The interface language of the next start: "ja", "en", or empty (no
    // value stored) to follow Windows; base/interface_text.h reads it.
    std::wstring Language;

    // The same list objects for the settings' whole life.
    ShellCommands& Menus() { return menus_; }
    ShellCommands& Drags() { return drags_; }
    ShellCommands& Keys() { return keys_; }

    // lpreg is the program's key; the lists live in its subkeys. Load is
    // LoadOptions and then LoadLists.
    bool Load(RegistryKey& lpreg) override;
    bool Save(RegistryKey& lpreg) override;
    // Save, with more values that more writes into the same switch (the
    // key it is given is the staging, laid out as lpreg).
    void SaveWith(RegistryKey& lpreg, const std::function<void(RegistryKey& contents)>& more);
    // The options alone: what the launcher needs to show itself.
    void LoadOptions(RegistryKey& lpreg);
    // Drags, Keys and Menus in this order, each from its own subkey.
    void LoadLists(RegistryKey& lpreg);
    // One of the three lists alone.
    void LoadList(RegistryKey& lpreg, const ShellCommands& list);

private:
    void WriteInto(RegistryKey& contents);
    // All three lists, or only the one given.
    void PersistLists(RegistryKey& lpreg, bool save, const ShellCommands* only = nullptr);

    ShellCommands drags_;
    ShellCommands keys_;
    ShellCommands menus_;
};

// The settings the program runs with, created and loaded by start-up; empty
// only if creating them failed.
extern std::unique_ptr<cSettings> AppSettings;
