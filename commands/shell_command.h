#pragma once
// One launchable command: a program or document with its arguments, working
// folder, caption and startup window state.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/slot_names.h"
#include "objlib/persist.h"

class ShellCommand : public objlib::IPersist {
public:
    std::wstring Caption;
    std::int32_t WindowState = 0;  // 0 automatic, 1 normal, 2 maximized, 3 minimized
    bool SetFocus = true;          // activate the launched program's window

    // No program and no caption.
    bool IsEmpty() const;
    // What lists show: "---" without a program, "(nameless)" without a caption.
    std::wstring DisplayCaption() const;
    // The program text without its surrounding quotes.
    std::wstring Program() const;
    const std::wstring& Argument() const { return arguments_; }
    // The program text as stored, then a blank and the arguments if any.
    std::wstring Command() const;
    // Takes a command line as the user typed it: splits it, finds the program
    // along the search path and fills in an empty working folder and caption.
    // Raises NumberedError kErrInvalidValue with the user message and changes
    // nothing when the program or the working folder is not found.
    void SetCommand(const std::wstring& newValue);
    const std::wstring& WorkDir() const { return workDir_; }
    // Checks that the folder exists, then stores it as typed (trimmed, quotes
    // kept, environment references unexpanded). Ignored for a menu entry.
    void SetWorkDir(const std::wstring& newValue);
    // Empties the command; its kind stays.
    void Clear();
    // Launches the command for the owner window. A menu entry first shows
    // its own menu at the screen point X, Y; an empty drag or key command
    // only beeps. A failure is shown to the user, never reported back.
    void Execute(HWND hWnd, std::int32_t X, std::int32_t Y) const;

    // Shortcut files: false when the file cannot be read (nothing changes)
    // or written (a file that was there stays as it was). A saved shortcut
    // starts what the command starts: its target is the program's full
    // path, environment references expanded.
    bool Load(const std::wstring& fileName);
    bool Save(const std::wstring& fileName) const;

    // The program text as stored: quotes and %NAME% references kept.
    const std::wstring& StoredProgram() const { return program_; }
    // The three texts as they are stored, taken without splitting, search or
    // checks, as the registry form takes them.
    void SetStoredTexts(std::wstring program, std::wstring arguments, std::wstring workDir);

    // For the owning list: a command line or working folder stored without
    // search or checks, as copies from another command are.
    void StoreCommandLine(const std::wstring& text);
    void StoreWorkDir(const std::wstring& text);
    CommandListKind Kind() const { return kind_; }
    void SetKind(CommandListKind kind) { kind_ = kind; }

    // The platform show command for WindowState and SetFocus.
    std::int32_t GetShowCommand() const;

    // Registry form: six values in the key the owning list chooses.
    bool Load(RegistryKey& lpreg) override;
    bool Save(RegistryKey& lpreg) override;

private:
    std::wstring ResolveProgram(const std::wstring& path) const;
    bool SearchProgramFile(std::wstring& name, const std::wstring& extension) const;
    // The program as a shortcut names it, or nothing when it has no full path.
    std::optional<std::wstring> ShortcutTarget() const;
    // The folder as it will be stored, after checking that it exists.
    std::wstring CheckedWorkDir(const std::wstring& newValue) const;

    std::wstring program_;    // stored form: maybe quoted, maybe with %NAME%
    std::wstring arguments_;
    std::wstring workDir_;    // stored form: maybe quoted, maybe with %NAME%
    CommandListKind kind_ = CommandListKind::Drags;
};
