#include "commands/shell_command.h"

#include <windows.h>

#include <array>
#include <vector>

#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/path_text.h"
#include "commands/captions.h"
#include "base/slot_names.h"
#include "commands/command_line.h"
#include "commands/compiled_menu.h"
#include "commands/launch.h"
#include "commands/show_command.h"
#include "forms/screen.h"
#include "menulib/menu_library.h"
#include "objlib/shortcut_link.h"

namespace {

std::wstring EnvironmentVariable(const wchar_t* name)
{
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.assign(length, L'\0');
    }
}

// The platform's search for a program file; a result of any length is taken.
bool FindOnPath(const wchar_t* path, std::wstring& name, const std::wstring& extension)
{
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = SearchPathW(path, name.c_str(), extension.c_str(),
                                         static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            name.assign(buffer.data(), length);
            return true;
        }
        buffer.assign(length, L'\0');
    }
}

bool FolderExists(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool ShellCommand::IsEmpty() const { return program_.empty() && Caption.empty(); }

std::wstring ShellCommand::DisplayCaption() const { return DisplayCaptionOf(program_, Caption); }

std::wstring ShellCommand::Program() const { return Unquote(program_); }

std::wstring ShellCommand::Command() const { return JoinCommandLine(program_, arguments_); }

void ShellCommand::SetCommand(const std::wstring& newValue)
{
    SplitCommand split = SplitCommandLine(newValue);
    if (split.program.empty()) {
        program_.clear();
        arguments_ = split.arguments;
        return;
    }
    std::wstring typed = SlashesToBackslashes(split.program);
    std::wstring expanded = ExpandEnvironment(typed);
    const std::wstring found = ResolveProgram(expanded);
    if (found.empty())
        throw NumberedError(kErrInvalidValue, UiText(IDS_PROGRAM_PATH_INVALID, {split.program}));
    // Found under another name (a bare name, an added extension): keep the
    // full path. A path that resolves to itself stays as typed, environment
    // references included.
    if (found != expanded) {
        expanded = typed = found;
        if (found.find(L' ') != std::wstring::npos)
            split.quoted = true;
    }
    // Everything that can fail comes first, so a failure changes nothing.
    std::wstring workDir = workDir_;
    if (workDir.empty() && kind_ != CommandListKind::Menus)
        workDir = CheckedWorkDir(FolderOf(typed));
    if (Caption.empty())
        Caption = DeriveCaption(expanded);
    workDir_ = std::move(workDir);
    split.program = std::move(typed);
    program_ = StoredProgramText(split);
    arguments_ = std::move(split.arguments);
}

void ShellCommand::SetWorkDir(const std::wstring& newValue)
{
    if (kind_ == CommandListKind::Menus)
        return;
    workDir_ = CheckedWorkDir(newValue);
}

std::wstring ShellCommand::CheckedWorkDir(const std::wstring& newValue) const
{
    const FolderText typed = ParseFolderText(newValue);
    if (typed.folder.empty())
        return {};
    std::wstring folder = ExpandEnvironment(typed.folder);
    if (!EndsWithSeparator(folder))
        folder += L'\\';
    if (!FolderExists(folder))
        throw NumberedError(kErrInvalidValue,
                            UiText(IDS_WORK_FOLDER_INVALID, {typed.folder}));
    return StoredFolderText(typed);
}

void ShellCommand::Clear()
{
    Caption.clear();
    program_.clear();
    arguments_.clear();
    workDir_.clear();
    WindowState = kStateAutomatic;
    SetFocus = true;
}

std::wstring ShellCommand::ResolveProgram(const std::wstring& path) const
{
    const bool trailingSeparator = !path.empty() && path.back() == L'\\';
    const std::wstring name = trailingSeparator ? path.substr(0, path.size() - 1) : path;
    for (const std::wstring& extension : ProgramExtensions(EnvironmentVariable(L"PATHEXT"))) {
        std::wstring found = name;
        if (SearchProgramFile(found, extension))
            return trailingSeparator ? found + L'\\' : found;
    }
    return {};
}

bool ShellCommand::SearchProgramFile(std::wstring& name, const std::wstring& extension) const
{
    // The stored folder may be quoted or hold environment references; the
    // search needs the folder itself.
    if (!workDir_.empty()) {
        const std::wstring folder = ExpandEnvironment(Unquote(workDir_));
        if (FindOnPath(folder.c_str(), name, extension))
            return true;
    }
    return FindOnPath(nullptr, name, extension);
}

void ShellCommand::StoreCommandLine(const std::wstring& text)
{
    const SplitCommand split = SplitCommandLine(text);
    program_ = StoredProgramText(split);
    arguments_ = split.arguments;
}

void ShellCommand::StoreWorkDir(const std::wstring& text)
{
    if (kind_ != CommandListKind::Menus)
        workDir_ = StoredFolderText(ParseFolderText(text));
}

std::int32_t ShellCommand::GetShowCommand() const { return ShowCommandOf(WindowState, SetFocus); }

bool ShellCommand::Load(const std::wstring& fileName)
{
    ShortcutLink link;
    if (!link.Load(fileName))
        return false;
    Caption = link.Description;
    program_ = QuoteIfSpaced(link.TargetPath);
    arguments_ = link.Arguments;
    const WindowStateAndFocus state = WindowStateOfShowCommand(link.ShowCommand);
    WindowState = state.windowState;
    SetFocus = state.setFocus;
    return true;
}

std::optional<std::wstring> ShellCommand::ShortcutTarget() const
{
    if (program_.empty())
        return std::wstring();
    // A shortcut keeps no environment references of its own and takes a
    // target that is no full path from wherever it is opened; the command
    // finds its program along the search path instead.
    const std::wstring expanded = ExpandEnvironment(Program());
    if (IsFullPath(expanded))
        return expanded;
    const std::wstring found = ResolveProgram(expanded);
    if (!IsFullPath(found))
        return std::nullopt;
    return found;
}

bool ShellCommand::Save(const std::wstring& fileName) const
{
    const std::optional<std::wstring> target = ShortcutTarget();
    if (!target)
        return false;
    ShortcutLink link;
    link.TargetPath = *target;
    link.Arguments = arguments_;
    link.ShowCommand = GetShowCommand();
    link.Description = Caption;
    return link.Save(fileName);
}

void ShellCommand::SetStoredTexts(std::wstring program, std::wstring arguments,
                                  std::wstring workDir)
{
    program_ = std::move(program);
    arguments_ = std::move(arguments);
    workDir_ = std::move(workDir);
}

bool ShellCommand::Load(RegistryKey& lpreg)
{
    program_ = lpreg.ReadValue(L"ProgramFileName", L"");
    arguments_ = lpreg.ReadValue(L"Arguments", L"");
    workDir_ = lpreg.ReadValue(L"WorkingDirectory", L"");
    Caption = lpreg.ReadValue(L"Caption", L"");
    WindowState = lpreg.ReadValue(L"StartupWindowState", std::int32_t{kStateAutomatic});
    SetFocus = lpreg.ReadValue(L"SetFocus", true);
    return false;
}

bool ShellCommand::Save(RegistryKey& lpreg)
{
    lpreg.WriteValue(L"ProgramFileName", program_);
    lpreg.WriteValue(L"Arguments", arguments_);
    lpreg.WriteValue(L"WorkingDirectory", workDir_);
    lpreg.WriteValue(L"Caption", Caption);
    lpreg.WriteValue(L"StartupWindowState", WindowState);
    lpreg.WriteValue(L"SetFocus", SetFocus);
    return false;
}

// Drag and key commands start directly; a menu entry through the menu of
// that entry.
void ShellCommand::Execute(HWND hWnd, std::int32_t X, std::int32_t Y) const
{
    LaunchRequest request;
    request.owner = hWnd;
    if (kind_ == CommandListKind::Menus) {
        const CompiledMenu entry({{DisplayCaption(), Program(), Argument()}});
        std::array<char, kMenuAnswerSize> file{}, parameters{};
        const int answer =
            PopupItemMenu(hWnd, entry.Table(), file.data(), parameters.data(), X, Y);
        if (answer != kMenuOpenAnswer)
            return;
        MenuChoice choice = entry.Choice(file.data(), parameters.data());
        if (choice.file.empty())
            return;
        request.file = std::move(choice.file);
        request.parameters = std::move(choice.parameters);
        request.show = SW_SHOW;
    } else {
        if (program_.empty()) {
            MessageBeep(MB_OK);
            return;
        }
        request.file = program_;
        request.parameters = arguments_;
        // The shell takes a folder in quotes for no folder at all and starts
        // the program elsewhere; a folder never holds a quote of its own.
        request.directory = Unquote(workDir_);
        request.show = GetShowCommand();
    }
    // The hourglass stays until any error box is closed.
    WaitPointer wait;
    Launch(request);
}
