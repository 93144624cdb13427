#include "settings/sign_in_start.h"

#include <windows.h>

#include "objlib/registry.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kEntry[] = L"Korvane";

}  // namespace

SignInStart ReadSignInStart()
{
    if (RegistryKey(HKEY_LOCAL_MACHINE, kRunKey).HasValue(kEntry))
        return SignInStart::AllUsers;
    if (RegistryKey(HKEY_CURRENT_USER, kRunKey).HasValue(kEntry))
        return SignInStart::ThisUser;
    return SignInStart::Off;
}

void WriteSignInStart(bool on, const std::wstring& program)
{
    RegistryKey run(HKEY_CURRENT_USER, kRunKey);
    if (on)
        run.WriteValue(kEntry, L"\"" + program + L"\"");
    else
        run.WriteValue(kEntry, Null);
}
