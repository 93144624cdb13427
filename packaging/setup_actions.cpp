// korvane_setup.dll: the installer's own actions, run from the package
// (never installed):
// - FindOtherScope: whether Korvane is installed for this user in the other
//   scope (for the machine, when this package installs for the user alone,
//   and the other way round); the package then refuses, changing nothing.
// - ClosePads: before the installer replaces or removes the program's files
//   it closes every pad of the installing user's desktop, as `korvane.exe
//   /exit` does, so that no file is in use and no restart is needed; a pad
//   of any earlier version closes the same way. It tells the package whether
//   it closed one, so that the pad is started again after an upgrade.
// - StartPad: starts the installed program for the user at the desktop,
//   with that user's own rights, never the installer's.
// - RemoveSignInEntry: an uninstallation takes away the user's own entry
//   that starts the program it removes (made in the settings, which the
//   package does not know of); an entry for another copy stays.

#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <shellapi.h>

#include "app/running_pads.h"
#include "base/win_handles.h"
#include "packaging/desktop_start.h"

namespace {

// A property of the installation; empty when it has none or it is too long.
template <DWORD Size>
bool ReadProperty(MSIHANDLE install, const wchar_t* name, wchar_t (&value)[Size])
{
    DWORD length = Size;
    if (MsiGetPropertyW(install, name, value, &length) != ERROR_SUCCESS)
        value[0] = L'\0';
    return value[0] != L'\0';
}

// Whether this process holds a user's full rights given through User Account
// Control (never before Vista, where the question does not exist).
bool RunsElevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
                          type == TokenElevationTypeFull;
    CloseHandle(token);
    return elevated;
}

}  // namespace

extern "C" UINT __stdcall FindOtherScope(MSIHANDLE install)
{
    wchar_t upgradeCode[39] = {}, allUsers[4] = {};
    if (!ReadProperty(install, L"UpgradeCode", upgradeCode))
        return ERROR_SUCCESS;
    const MSIINSTALLCONTEXT other = ReadProperty(install, L"ALLUSERS", allUsers)
                                        ? MSIINSTALLCONTEXT_USERUNMANAGED
                                        : MSIINSTALLCONTEXT_MACHINE;
    wchar_t product[39];
    for (DWORD i = 0; MsiEnumRelatedProductsW(upgradeCode, 0, i, product) == ERROR_SUCCESS; ++i) {
        wchar_t version[64] = {}, folder[MAX_PATH] = {};
        DWORD length = 64;
        // Asked in the other scope alone: found there only when installed there.
        if (MsiGetProductInfoExW(product, nullptr, other, INSTALLPROPERTY_VERSIONSTRING, version,
                                 &length) != ERROR_SUCCESS)
            continue;
        length = MAX_PATH;
        MsiGetProductInfoExW(product, nullptr, other, INSTALLPROPERTY_INSTALLLOCATION, folder,
                             &length);
        MsiSetPropertyW(install, L"KORVANEOTHERSCOPE", L"1");
        MsiSetPropertyW(install, L"KORVANEOTHERVERSION", version);
        MsiSetPropertyW(install, L"KORVANEOTHERFOLDER", folder);
        break;
    }
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall ClosePads(MSIHANDLE install)
{
    if (CloseRunningPads().asked > 0)
        MsiSetPropertyW(install, L"KORVANEPADCLOSED", L"1");
    // Never a reason to fail the installation: a pad that stays (stuck in a
    // message box) has its files replaced at the next restart.
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall StartPad(MSIHANDLE install)
{
    wchar_t program[MAX_PATH] = {}, folder[MAX_PATH] = {};
    const MSIHANDLE record = MsiCreateRecord(1);
    DWORD length = MAX_PATH;
    MsiRecordSetStringW(record, 0, L"[#korvane.exe]");
    const bool found = MsiFormatRecordW(install, record, program, &length) == ERROR_SUCCESS &&
                       program[0] != L'\0';
    MsiCloseHandle(record);
    ReadProperty(install, L"INSTALLDIR", folder);
    // Without a desktop shell (a server core, another shell) the installer
    // starts it itself, unless it would hand on its elevated rights.
    if (found && StartFromDesktop(program, folder) == DesktopStart::NoShell && !RunsElevated())
        ShellExecuteW(nullptr, L"open", program, nullptr, folder, SW_SHOWNORMAL);
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall RemoveSignInEntry(MSIHANDLE install)
{
    wchar_t folder[MAX_PATH] = {};
    UniqueHKey run;
    if (!ReadProperty(install, L"INSTALLDIR", folder) ||
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, run.put()) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    wchar_t command[MAX_PATH + 4] = {};
    DWORD size = sizeof command - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(run.get(), L"Korvane", nullptr, &type, reinterpret_cast<BYTE*>(command),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return ERROR_SUCCESS;
    const wchar_t* program = command[0] == L'"' ? command + 1 : command;
    const int length = lstrlenW(folder);
    if (lstrlenW(program) > length &&
        CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, program, length, folder, length) ==
            CSTR_EQUAL)
        RegDeleteValueW(run.get(), L"Korvane");
    return ERROR_SUCCESS;
}
