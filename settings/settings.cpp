#include "settings/settings.h"

#include <utility>

#include "base/language_choice.h"
#include "base/slot_names.h"
#include "commands/slot_rules.h"
#include "settings/staged_write.h"

std::unique_ptr<cSettings> AppSettings;

cSettings::cSettings() : drags_(CommandListKind::Drags), keys_(CommandListKind::Keys), menus_(CommandListKind::Menus) {}

bool cSettings::Load(RegistryKey& lpreg)
{
    LoadOptions(lpreg);
    LoadLists(lpreg);
    return true;
}

void cSettings::LoadOptions(RegistryKey& lpreg)
{
    ActiveStyle = lpreg.ReadValue(L"ActiveStyle", false);
    AlwaysOnTop = lpreg.ReadValue(L"AlwaysOnTop", true);
    PopupStatus = lpreg.ReadValue(L"PopupStatus", true);
    HotKey = lpreg.ReadValue(L"Hotkey", std::int32_t{0});
    DblClickCommand = lpreg.ReadValue(L"DoubleClickCommand", std::int32_t{1});
    SwapButtons = lpreg.ReadValue(L"SwapButtons", false);
    UseCustomIcon = lpreg.ReadValue(L"CustomIcon", false);
    CustomIcon = lpreg.ReadValue(L"CustomIconFile", L"");
    Language = lpreg.ReadValue(kLanguageValueName, L"");
}

void cSettings::LoadLists(RegistryKey& lpreg) { PersistLists(lpreg, false); }

void cSettings::LoadList(RegistryKey& lpreg, const ShellCommands& list)
{
    PersistLists(lpreg, false, &list);
}

bool cSettings::Save(RegistryKey& lpreg)
{
    SaveWith(lpreg, {});
    return true;
}

void cSettings::SaveWith(RegistryKey& lpreg, const std::function<void(RegistryKey&)>& more)
{
    // Staged and switched over at once: a list rewritten in place by a
    // process that is ended half-way would join the old list and the new.
    StagedWrite staged(lpreg);
    WriteInto(staged.Contents());
    if (more)
        more(staged.Contents());
    // Following Windows stores nothing, as before the choice existed.
    if (Language.empty() && lpreg.HasValue(kLanguageValueName))
        staged.RemoveValue(kLanguageValueName);
    // Entries deleted since the list was read go with their keys, or they
    // would come back when the count cannot be read (the loader then takes
    // every entry there is). Only entries a load would read now go: any past
    // a damaged count were never shown, and stay as they are.
    RegistryKey menu = lpreg.SubKey(L"Menu");
    const std::int32_t stored = menus_.StoredMenuCount(menu);
    for (std::int32_t slot = menus_.Count(); slot < stored; ++slot)
        staged.RemoveKey(L"Menu\\" + SlotKeyName(CommandListKind::Menus, slot));
    staged.Commit();
}

void cSettings::WriteInto(RegistryKey& contents)
{
    contents.WriteValue(L"ActiveStyle", ActiveStyle);
    contents.WriteValue(L"AlwaysOnTop", AlwaysOnTop);
    contents.WriteValue(L"PopupStatus", PopupStatus);
    contents.WriteValue(L"DoubleClickCommand", DblClickCommand);
    contents.WriteValue(L"HotKey", HotKey);
    contents.WriteValue(L"SwapButtons", SwapButtons);
    contents.WriteValue(L"CustomIcon", UseCustomIcon);
    contents.WriteValue(L"CustomIconFile", CustomIcon);
    if (!Language.empty())
        contents.WriteValue(kLanguageValueName, Language);
    PersistLists(contents, true);
}

void cSettings::PersistLists(RegistryKey& lpreg, bool save, const ShellCommands* only)
{
    const std::pair<const wchar_t*, ShellCommands*> lists[] = {
        {L"Drag", &drags_}, {L"Key", &keys_}, {L"Menu", &menus_}};
    for (const auto& [name, list] : lists) {
        if (only && list != only)
            continue;
        RegistryKey subKey = lpreg.SubKey(name);
        objlib::IPersist& persist = Persistence().PersistOf(*list);
        if (save)
            persist.Save(subKey);
        else
            persist.Load(subKey);
    }
}
