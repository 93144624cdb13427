#include "app/transfer_command.h"

#include <windows.h>

#include "app/entry_point.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "base/window_boundary.h"
#include "settings/registry_paths.h"
#include "settings/settings_transfer.h"
#include "settings/staged_write.h"

int RunSettingsTransfer(TransferDirection direction, const std::wstring& fileName, bool quiet)
{
    std::wstring failure;
    try {
        // Held to the end: while no pad runs, this process owns the settings,
        // and a pad started meanwhile does not read them half replaced.
        const UniqueKernelHandle instance(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
        const bool padRuns = !instance || GetLastError() == ERROR_ALREADY_EXISTS;
        // What an ended import left half-way is finished or undone first, as
        // the next start of the pad would.
        if (!padRuns)
            FinishStagedWrite(RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath));
        if (direction == TransferDirection::Export)
            ExportSettings(fileName, StoredSettings());
        else if (padRuns)
            throw NumberedError(kErrInvalidValue, UiText(IDS_SETTINGS_IMPORT_WHILE_RUNNING));
        else
            ImportSettings(ReadSettingsFrom(fileName));
        return 0;
    } catch (...) {
        failure = CurrentFailureText();
    }
    if (!quiet)
        MsgBox(failure);
    return 1;
}
