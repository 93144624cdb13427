#include "settings/settings_lock.h"

#include <windows.h>

namespace {

constexpr wchar_t kSettingsMutexName[] = L"Tessaly.Korvane.Settings";

}  // namespace

SettingsLock::SettingsLock() : mutex_(CreateMutexW(nullptr, FALSE, kSettingsMutexName))
{
    // Without the mutex (a name taken by an object of another kind) the
    // settings are still read and saved, unguarded as before the lock
    // existed: never saving at all would lose more.
    if (!mutex_)
        return;
    const DWORD got = WaitForSingleObject(mutex_.get(), INFINITE);
    held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
}

SettingsLock::~SettingsLock()
{
    if (held_)
        ReleaseMutex(mutex_.get());
}
