#include "settings/settings.h"

#include <utility>

#include "base/language_choice.h"
#include "base/slot_names.h"

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

bool cSettings::Save(RegistryKey& lpreg)
{
    lpreg.WriteValue(L"ActiveStyle", ActiveStyle);
    lpreg.WriteValue(L"AlwaysOnTop", AlwaysOnTop);
    lpreg.WriteValue(L"PopupStatus", PopupStatus);
    lpreg.WriteValue(L"DoubleClickCommand", DblClickCommand);
    lpreg.WriteValue(L"HotKey", HotKey);
    lpreg.WriteValue(L"SwapButtons", SwapButtons);
    lpreg.WriteValue(L"CustomIcon", UseCustomIcon);
    lpreg.WriteValue(L"CustomIconFile", CustomIcon);
    // Following Windows stores nothing, as before the choice existed.
    if (Language.empty())
        lpreg.WriteValue(kLanguageValueName, Null);
    else
        lpreg.WriteValue(kLanguageValueName, Language);
    PersistLists(lpreg, true);
    return true;
}

void cSettings::PersistLists(RegistryKey& lpreg, bool save)
{
    const std::pair<const wchar_t*, ShellCommands*> lists[] = {
        {L"Drag", &drags_}, {L"Key", &keys_}, {L"Menu", &menus_}};
    for (const auto& [name, list] : lists) {
        RegistryKey subKey = lpreg.SubKey(name);
        objlib::IPersist& persist = Persistence().PersistOf(*list);
        if (save)
            persist.Save(subKey);
        else
            persist.Load(subKey);
    }
}
