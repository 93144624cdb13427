#include "menulib/menu_session.h"

#include <cstring>

#include "base/interface_text.h"
#include "base/system.h"
#include "menulib/answer_text.h"
#include "menulib/folder_listing.h"

namespace {

// Ids 1 to 3 are the built-in actions; every other choosable item gets an id
// from here up. Menu ids are 16 bits wide where they travel in messages.
constexpr UINT kFirstAnswerId = 16;
constexpr UINT kLastAnswerId = 0xFFFF;


// The session whose menu is on screen; menus are modal, one per thread at a time.
MenuSession* tracking = nullptr;

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

// A file name shown as a menu caption: "&" is literal, not a mnemonic.
std::wstring LiteralCaption(const std::wstring& name)
{
    std::wstring caption;
    for (wchar_t c : name) {
        if (c == L'&')
            caption += L'&';
        caption += c;
    }
    return caption;
}

// The folder an entry's program names, with environment references expanded
// as the shell would; empty when the program is not a folder.
std::wstring FolderOf(const std::string& program)
{
    if (program.empty())
        return {};
    const std::wstring raw = FromAnsi(program);
    std::wstring expanded(32768, L'\0');
    const DWORD length =
        ExpandEnvironmentStringsW(raw.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (length == 0 || length > expanded.size())
        return {};
    expanded.resize(length - 1);
    const DWORD attributes = GetFileAttributesW(expanded.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return expanded;
}

}  // namespace

// What a folder or file found while browsing answers: its full path alone.
// A path without an exact ANSI form has none; one too long for the buffers
// is refused where its item is added.
std::optional<MenuSession::Answer> MenuSession::BrowsedAnswer(const std::wstring& path)
{
    std::optional<std::string> ansi = ExactAnsi(path);
    if (!ansi)
        return std::nullopt;
    return Answer{std::move(*ansi), {}};
}

MenuSession::MenuSession() : menu_(CreatePopupMenu()) {}

MenuSession::~MenuSession() = default;

void MenuSession::AppendChoice(HMENU menu, const std::wstring& text, std::optional<Answer> answer)
{
    const bool usable = answer && !answer->file.empty() && FitsAnswer(answer->file) &&
                        FitsAnswer(answer->parameters) &&
                        kFirstAnswerId + answers_.size() <= kLastAnswerId;
    if (!usable) {
        // Shown, so that the user sees it is there, but it cannot be chosen.
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, text.c_str());
        return;
    }
    const UINT id = kFirstAnswerId + static_cast<UINT>(answers_.size());
    answers_.push_back(std::move(*answer));
    AppendMenuW(menu, MF_STRING, id, text.c_str());
}

void MenuSession::AppendFolderHead(HMENU menu, const std::wstring& folder,
                                   const std::optional<Answer>& openItself)
{
    AppendChoice(menu, UiText(IDS_MENU_OPEN_FOLDER), openItself);
    pendingFolders_[menu] = folder;
}

HMENU MenuSession::FolderSubmenu(const std::wstring& folder, const std::optional<Answer>& openItself)
{
    HMENU submenu = CreatePopupMenu();
    AppendFolderHead(submenu, folder, openItself);
    return submenu;
}

void MenuSession::ListPendingFolder(HMENU menu)
{
    const auto pending = pendingFolders_.find(menu);
    if (pending == pendingFolders_.end())
        return;
    const std::wstring folder = pending->second;
    pendingFolders_.erase(pending);

    const FolderListing listing = ListFolder(folder);
    if (!listing.folders.empty() || !listing.files.empty())
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const std::wstring& name : listing.folders) {
        const std::wstring path = JoinPath(folder, name);
        HMENU submenu = FolderSubmenu(path, BrowsedAnswer(path));
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                    LiteralCaption(name).c_str());
    }
    for (const std::wstring& name : listing.files) {
        AppendChoice(menu, LiteralCaption(name), BrowsedAnswer(JoinPath(folder, name)));
    }
}

void MenuSession::AppendEntry(const CompiledMenuEntry& entry)
{
    const std::string caption = Text(entry.caption);
    if (caption == "-") {
        AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
        return;
    }
    Answer answer{Text(entry.program), Text(entry.arguments)};
    const std::wstring text = FromAnsi(caption.empty() ? answer.file : caption);
    const std::wstring folder = FolderOf(answer.file);
    if (folder.empty()) {
        AppendChoice(menu_.get(), text, std::move(answer));
        return;
    }
    AppendMenuW(menu_.get(), MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(FolderSubmenu(folder, answer)), text.c_str());
}

void MenuSession::PresentEntry(const CompiledMenuEntry& entry)
{
    const Answer answer{Text(entry.program), Text(entry.arguments)};
    const std::wstring folder = FolderOf(answer.file);
    if (folder.empty() || Text(entry.caption) == "-") {
        AppendEntry(entry);
        return;
    }
    AppendFolderHead(menu_.get(), folder, answer);
    ListPendingFolder(menu_.get());
}

void MenuSession::AppendBuiltInActions(int doubleClickAction)
{
    if (GetMenuItemCount(menu_.get()) > 0)
        AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
    for (UINT action = 1; action <= 3; ++action)
        AppendMenuW(menu_.get(), MF_STRING, action, UiText(IDS_ACTION_TOGGLE_DESKTOP + action - 1).c_str());
    if (doubleClickAction >= 1 && doubleClickAction <= 3)
        SetMenuDefaultItem(menu_.get(), static_cast<UINT>(doubleClickAction), FALSE);
}

LRESULT CALLBACK MenuSession::WatchMenus(int code, WPARAM wParam, LPARAM lParam)
{
    // The owner is the caller's window; its procedure knows nothing of our
    // submenus, so they are listed here, just before the menu measures them.
    if (code == HC_ACTION && tracking) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        // Nothing may leave a hook; a folder that cannot be listed stays short.
        try {
            if (message->message == WM_INITMENUPOPUP)
                tracking->ListPendingFolder(reinterpret_cast<HMENU>(message->wParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int MenuSession::Track(HWND owner, int x, int y, char* file, char* parameters)
{
    if (!menu_ || !IsWindow(owner))
        return 0;
    outer_ = tracking;
    tracking = this;
    UINT chosen = 0;
    {
        UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, WatchMenus, nullptr, GetCurrentThreadId()));
        // A popup menu closes properly on a click elsewhere only while its
        // owner is the foreground window, and the posted message lets the
        // menu's end reach the owner's queue.
        SetForegroundWindow(owner);
        chosen = static_cast<UINT>(TrackPopupMenuEx(
            menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y,
            owner, nullptr));
        PostMessageW(owner, WM_NULL, 0, 0);
    }
    tracking = outer_;

    if (chosen >= 1 && chosen <= 3)
        return static_cast<int>(chosen);
    if (chosen < kFirstAnswerId || chosen - kFirstAnswerId >= answers_.size() || !file ||
        !parameters)
        return 0;
    const Answer& answer = answers_[chosen - kFirstAnswerId];
    std::memcpy(file, answer.file.c_str(), answer.file.size() + 1);
    std::memcpy(parameters, answer.parameters.c_str(), answer.parameters.size() + 1);
    return kMenuOpenAnswer;
}
