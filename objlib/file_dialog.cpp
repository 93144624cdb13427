#include "objlib/file_dialog.h"

std::vector<std::wstring> FileDialog::ShowOpen()
{
    // Several files come back as the folder and then each name, separated
    // by NULs; the buffer must hold all of them.
    const size_t capacity = (Flags & OFN_ALLOWMULTISELECT) ? 32 * 1024 : MaxFileSize + 1;
    std::wstring buffer(capacity, L'\0');
    std::wstring extension = DefaultExt;
    if (!extension.empty() && extension.front() == L'.')
        extension.erase(0, 1);

    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = OwnerWindow;
    open.lpstrFilter = Filter.empty() ? nullptr : Filter.c_str();
    open.nFilterIndex = FilterIndex;
    open.lpstrFile = buffer.data();
    open.nMaxFile = static_cast<DWORD>(buffer.size());
    open.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    open.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    open.Flags = Flags;
    if (!GetOpenFileNameW(&open))
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
