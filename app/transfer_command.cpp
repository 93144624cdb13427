#include "app/transfer_command.h"

#include <windows.h>

#include "app/entry_point.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/system.h"
#include "base/win_handles.h"
#include "base/window_boundary.h"
#include "settings/settings_transfer.h"

namespace {

void ImportWhileNoPadRuns(const std::wstring& fileName)
{
    // Held until the import is done, so that a pad started meanwhile does
    // not read settings half replaced.
    const UniqueKernelHandle instance(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS)
        throw NumberedError(kErrInvalidValue, UiText(IDS_SETTINGS_IMPORT_WHILE_RUNNING));
    ImportSettings(ReadSettingsFrom(fileName));
}

}  // namespace

int RunSettingsTransfer(TransferDirection direction, const std::wstring& fileName, bool quiet)
{
    std::wstring failure;
    try {
        if (direction == TransferDirection::Export)
            ExportSettings(fileName);
        else
            ImportWhileNoPadRuns(fileName);
        return 0;
    } catch (...) {
        failure = CurrentFailureText();
    }
    if (!quiet)
        MsgBox(failure);
    return 1;
}
