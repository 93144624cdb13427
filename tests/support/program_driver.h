#pragma once
// korvane.exe (or a copy of it) run as a user runs it: started as its own
// process, found by its windows, its message boxes answered, closed by the
// system.

#include <windows.h>

#include <string>
#include <vector>

#include "base/win_handles.h"
#include "tests/support/dialog_watcher.h"

class RunningProgram {
public:
    // Starts the program with these arguments; Started() tells whether the
    // system could.
    explicit RunningProgram(const std::wstring& path, const std::wstring& arguments = L"");
    ~RunningProgram();  // ends the process if it still runs
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    HANDLE Process() const { return process_.get(); }

    // The visible pad of this process once it shows, or null after the
    // timeout. Message boxes of the program are answered with OK meanwhile.
    HWND WaitForPad(DWORD timeoutMs);
    // A message box of the program once one shows, or null; left open.
    HWND WaitForBox(DWORD timeoutMs);
    // Answers every message box of the program that is open now; true when
    // there was one.
    bool AnswerBoxes();
    // Waits for the program to end, answering its message boxes; its exit
    // code, or -1 when it still runs after the timeout.
    int WaitForExit(DWORD timeoutMs);
    // Asks the pad to close as the taskbar does and waits for the end.
    int Close(DWORD timeoutMs);
    bool Running() const;

    // The boxes answered so far.
    const std::vector<ShownBox>& Boxes() const { return boxes_; }

private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
    std::vector<ShownBox> boxes_;
};

// The top-level windows of a process with this "Name" (all when empty).
std::vector<HWND> WindowsOfProcess(DWORD processId, const std::wstring& name);
// The visible pads of every process.
std::vector<HWND> VisiblePads();
