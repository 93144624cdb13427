#include "app/transfer_command.h"

#include <windows.h>

#include "app/entry_point.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "base/window_boundary.h"
#include "settings/settings_lock.h"
#include "settings/settings_store.h"
#include "settings/settings_transfer.h"

int RunSettingsTransfer(TransferDirection direction, const std::wstring& fileName, bool quiet)
{
    std::wstring failure;
    try {
        ChooseSettingsPlace(LocateProgram().folder);
        TakeKeptLanguageChoice();
        if (direction == TransferDirection::Export) {
            ExportSettings(fileName, KeptSettingsRecord());
            return 0;
        }
        const SettingsRecord settings = ReadSettingsFrom(fileName);
        // The settings lock first, then the look for a pad: a pad that
        // starts from here on finds the instance lock taken, waits for the
        // settings lock at its start, and loads what was imported. One that
        // started before holds the instance lock and would store its own
        // settings over the imported ones when it ends.
        const SettingsLock lock;
        const UniqueKernelHandle instance(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
        if (!instance || GetLastError() == ERROR_ALREADY_EXISTS)
            throw NumberedError(kErrInvalidValue, UiText(IDS_SETTINGS_IMPORT_WHILE_RUNNING));
        // Importing the very file the settings are kept in takes them into
        // the registry: the way back from settings kept beside the program.
        if (PortableSettingsFile().empty() || IsPortableSettingsFile(fileName))
            ImportSettings(settings);
        else if (!ReplaceKeptSettings(settings, nullptr))
            throw NumberedError(kErrInvalidValue, UnreadableSettingsFile());
        return 0;
    } catch (...) {
        failure = CurrentFailureText();
    }
    if (!quiet)
        MsgBox(failure);
    return 1;
}
