#pragma once
// What the program hands to the library: a table of ANSI entries and two
// answer buffers. The buffers carry guard bytes behind their 260 bytes, so
// that a write past the end shows.

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "menulib/menu_abi.h"

class EntryTable {
public:
    // Texts are converted to the ANSI code page as the program's list does.
    EntryTable& Add(const std::wstring& caption, const std::wstring& program,
                    const std::wstring& arguments = L"");
    const CompiledMenuEntry* Data() const { return entries_.data(); }
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    std::deque<std::string> texts_;  // stable addresses
    std::vector<CompiledMenuEntry> entries_;
};

class AnswerBuffers {
public:
    AnswerBuffers();
    char* File() { return file_.data(); }
    char* Parameters() { return parameters_.data(); }
    // The texts up to their NUL, in the ANSI code page.
    std::string FileText() const { return file_.data(); }
    std::string ParametersText() const { return parameters_.data(); }
    bool GuardsIntact() const;
    bool Untouched() const;  // still all NUL, as the program prepared them

private:
    static constexpr size_t kGuard = 64;
    std::array<char, kMenuAnswerSize + kGuard> file_;
    std::array<char, kMenuAnswerSize + kGuard> parameters_;
};

// The captions of the pad's built-in actions 1 to 3.
extern const std::wstring kBuiltInCaptions[3];
// The first item of every folder menu.
extern const std::wstring kOpenFolderCaption;
