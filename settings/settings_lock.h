#pragma once
// One writer of the stored settings at a time, across processes: every save,
// import and start-up's finishing of an interrupted save holds it, and every
// export while it reads, so that nobody reads or writes a tree half switched
// over. A named mutex of the session, apart from the instance lock (which
// only tells pads apart and gives up after a few seconds).
//
// The constructor waits as long as it takes. A holder that ended without
// letting go leaves the lock to the next one, which then finds the staging
// that holder left (settings/staged_write.h) and finishes it. The same
// thread may take it again while it holds it.

#include "base/win_handles.h"

class SettingsLock {
public:
    SettingsLock();
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

private:
    UniqueKernelHandle mutex_;
    bool held_ = false;
};
