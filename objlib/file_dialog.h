#pragma once
// The common file dialog as an object: set the properties, then show it.
// A new object is made for each use.

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

// Open a file that must exist, in an explorer-style dialog with long names,
// without the read-only box and the network button.
inline constexpr DWORD kOpenFileFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                        OFN_FILEMUSTEXIST | OFN_SHAREAWARE |
                                        OFN_NONETWORKBUTTON | OFN_EXPLORER | OFN_LONGNAMES;
static_assert(kOpenFileFlags == 0x2A5804);
// The same for a shortcut file itself rather than what it points to.
inline constexpr DWORD kOpenShortcutFlags = kOpenFileFlags | OFN_NODEREFERENCELINKS;
static_assert(kOpenShortcutFlags == 0x3A5804);
// Save a shortcut file: ask before overwriting, never to a read-only place.
inline constexpr DWORD kSaveShortcutFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                            OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                                            OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_LONGNAMES;
static_assert(kSaveShortcutFlags == 0x388806);

class FileDialog {
public:
    std::wstring Title;
    // Pairs of description and pattern, each ended by a NUL, the whole list
    // ended by a second NUL (the OPENFILENAME form).
    std::wstring Filter;
    // Added to a typed name without extension; with or without its dot.
    std::wstring DefaultExt;
    DWORD FilterIndex = 1;  // 1-based
    DWORD MaxFileSize = MAX_PATH;
    HWND OwnerWindow = nullptr;
    DWORD Flags = 0;

    // The full paths of the chosen files, the one the user picked first;
    // empty when the user cancels.
    std::vector<std::wstring> ShowOpen();
    // A save dialog that starts from path; true when the user confirmed,
    // and path is then the full path chosen.
    bool ShowSave(std::wstring& path);
    // The shell's folder browser, titled Title, with path selected when it
    // names a folder; true when the user confirmed a folder of the file
    // system, and path is then its full path.
    bool BrowseForFolder(std::wstring& path);

private:
    OPENFILENAMEW Prepared(std::wstring& buffer, std::wstring& extension) const;
};

// A filter list from description and pattern pairs.
std::wstring FilterList(std::initializer_list<std::pair<std::wstring, std::wstring>> pairs);
