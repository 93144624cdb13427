#pragma once
// The visible contents of one folder, ordered as Explorer shows them.

#include <string>
#include <vector>

struct FolderListing {
    std::vector<std::wstring> folders;  // names of subfolders
    std::vector<std::wstring> files;    // names of files
};

// Hidden and system items are left out, as Explorer does by default. Each
// group is sorted with Explorer's name order (numbers by value, case
// ignored). An unreadable folder lists nothing.
FolderListing ListFolder(const std::wstring& folder);

// folder + name with exactly one separator between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
