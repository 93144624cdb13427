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
};

// A filter list from description and pattern pairs.
std::wstring FilterList(std::initializer_list<std::pair<std::wstring, std::wstring>> pairs);
