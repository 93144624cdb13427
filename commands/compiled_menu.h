#pragma once
// Menu entries as the menu library reads them, and what its answer opens.
//
// The library's interface is ANSI. A program or argument text without an
// exact ANSI form would come back as the name of another file (é read as e,
// a Korean name as "??"), and one too long for the library's answer buffers
// could not come back at all, so such an entry goes to the library under a
// stand-in that names no file, and choosing it opens the entry's own text.

#include <cstdint>
#include <string>
#include <vector>

#include "menulib/menu_abi.h"

struct MenuEntryText {
    std::wstring caption;
    std::wstring program;  // without surrounding quotes
    std::wstring arguments;
};

// What the shell is to open; nothing when file is empty.
struct MenuChoice {
    std::wstring file;
    std::wstring parameters;
};

class CompiledMenu {
public:
    CompiledMenu() = default;
    explicit CompiledMenu(std::vector<MenuEntryText> entries);
    CompiledMenu(const CompiledMenu&) = delete;
    CompiledMenu& operator=(const CompiledMenu&) = delete;
    // Moving keeps the table's strings where they are.
    CompiledMenu(CompiledMenu&&) noexcept = default;
    CompiledMenu& operator=(CompiledMenu&&) noexcept = default;

    // The first entry of the table, or nullptr when there is none.
    const CompiledMenuEntry* Table() const { return table_.empty() ? nullptr : table_.data(); }
    std::int32_t Count() const { return static_cast<std::int32_t>(table_.size()); }
    // The entries as given, in their own text.
    const std::vector<MenuEntryText>& Entries() const { return entries_; }

    // What the library's two answer buffers open: a chosen entry's own text,
    // or a file found in a folder entry as the library named it.
    MenuChoice Choice(const char* file, const char* parameters) const;

private:
    std::vector<MenuEntryText> entries_;
    std::vector<std::string> text_;
    std::vector<CompiledMenuEntry> table_;
};
