#include "objlib/file_dialog.h"

#include "base/deferred_imports.h"
#include "base/path_text.h"

OPENFILENAMEW FileDialog::Prepared(std::wstring& buffer, std::wstring& extension) const
{
    extension = DefaultExt;
    if (!extension.empty() && extension.front() == L'.')
        extension.erase(0, 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerWindow;
    dialog.lpstrFilter = Filter.empty() ? nullptr : Filter.c_str();
    dialog.nFilterIndex = FilterIndex;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = Flags;
    return dialog;
}

std::vector<std::wstring> FileDialog::ShowOpen()
{
    // Several files come back as the folder and then each name, separated
    // by NULs; the buffer must hold all of them.
    const size_t capacity = (Flags & OFN_ALLOWMULTISELECT) ? 32 * 1024 : MaxFileSize + 1;
    std::wstring buffer(capacity, L'\0');
    std::wstring extension;
    OPENFILENAMEW open = Prepared(buffer, extension);
    if (!comdlg32::GetOpenFileNameW(&open))
        return {};

    std::vector<std::wstring> parts;
    for (const wchar_t* at = buffer.c_str(); *at; at += parts.back().size() + 1)
        parts.emplace_back(at);
    if (parts.size() <= 1)
        return parts;
    // The folder first, then the names in the order the user gave them.
    std::wstring folder = parts.front();
    if (folder.back() != L'\\')
        folder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(folder + parts[i]);
    return paths;
}

bool FileDialog::ShowSave(std::wstring& path)
{
    std::wstring buffer = path.substr(0, MaxFileSize);
    buffer.resize(MaxFileSize + 1, L'\0');
    std::wstring extension;
    OPENFILENAMEW save = Prepared(buffer, extension);
    if (!comdlg32::GetSaveFileNameW(&save))
        return false;
    path = buffer.c_str();
    return true;
}

namespace {

struct FolderBrowse {
    const std::wstring* title;
    std::wstring initial;
};

int CALLBACK FolderBrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message != BFFM_INITIALIZED)
        return 0;
    const auto* browse = reinterpret_cast<const FolderBrowse*>(data);
    if (!browse->title->empty())
        SetWindowTextW(window, browse->title->c_str());
    if (!browse->initial.empty())
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(browse->initial.c_str()));
    return 0;
}

}  // namespace

bool FileDialog::BrowseForFolder(std::wstring& path)
{
    // The shell's browser needs COM on this thread; it may be there already.
    const bool uninitialize = SUCCEEDED(ole32::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    // A typed folder may stand in quotes; the browser wants the bare path.
    FolderBrowse browse{&Title, Unquote(path)};
    BROWSEINFOW info{};
    info.hwndOwner = OwnerWindow;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = FolderBrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&browse);
    bool chosen = false;
    if (PIDLIST_ABSOLUTE folder = shell32::SHBrowseForFolderW(&info)) {
        wchar_t buffer[MAX_PATH] = L"";
        if (shell32::SHGetPathFromIDListW(folder, buffer)) {
            path = buffer;
            chosen = true;
        }
        ole32::CoTaskMemFree(folder);
    }
    if (uninitialize)
        ole32::CoUninitialize();
    return chosen;
}

std::wstring FilterList(std::initializer_list<std::pair<std::wstring, std::wstring>> pairs)
{
    std::wstring list;
    for (const auto& [description, pattern] : pairs) {
        list += description;
        list += L'\0';
        list += pattern;
        list += L'\0';
    }
    list += L'\0';
    return list;
}
