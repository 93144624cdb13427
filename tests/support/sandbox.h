#pragma once
// Test fixtures that give each test a clean registry and its own files.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Removes HKCU\Software\Tessaly before and after the test, so that every test
// starts from a first start and leaves nothing behind in the test prefix.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
};

// A fresh folder under %TEMP%, removed with its content at the end. Path()
// ends with a backslash.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// The folder of the running test program, where korvane.exe and its
// companions are built too; ends with a backslash.
std::wstring BuildFolder();

// %LOCALAPPDATA%\Korvane\: where the program writes what its own folder refuses.
std::wstring UserProgramFolder();

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Runs a program and waits; the exit code, or -1 when it did not end in time.
int RunProgram(const std::wstring& commandLine, DWORD timeoutMs);
// Starts a program of the machine Wine runs on (its path under Z:) with these
// arguments. Such a process has no handle to wait on: the caller waits for
// what it does.
bool StartUnixProgram(const std::wstring& path, const std::wstring& arguments);

// Sets the resolution, in dots per inch, that programs started while it lives
// find the screen at: the prefix's HKCU\Control Panel\Desktop "LogPixels"
// (this process keeps the one it started with). What was there before, a
// value or none, comes back afterwards, so that the next programs find the
// screen as the rest of the suite expects it.
class ScopedScreenResolution {
public:
    explicit ScopedScreenResolution(DWORD dpi);
    ~ScopedScreenResolution();
    ScopedScreenResolution(const ScopedScreenResolution&) = delete;
    ScopedScreenResolution& operator=(const ScopedScreenResolution&) = delete;

private:
    std::optional<DWORD> previous_;
};

// Sets system colours (HKCU\Control Panel\Colors, name and "R G B") that
// programs started while it lives find, as a colour scheme of Windows does,
// and puts back what was there before, a value or none.
class ScopedColourScheme {
public:
    explicit ScopedColourScheme(const std::vector<std::pair<std::wstring, std::wstring>>& colours);
    ~ScopedColourScheme();
    ScopedColourScheme(const ScopedColourScheme&) = delete;
    ScopedColourScheme& operator=(const ScopedColourScheme&) = delete;

private:
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> previous_;
};

// Sets an environment variable of this process (nullopt removes it) while it
// lives, and puts the previous value back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::optional<std::wstring>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const wchar_t* name_;
    std::optional<std::wstring> previous_;
};
