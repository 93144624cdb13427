#pragma once
// How a command line typed by the user is taken apart, and the small text
// rules around it. No Windows dependency: also built natively, checked with
// sanitizers and fuzzed.

#include <string>
#include <vector>

// Only the blank (U+0020) is trimmed; tabs and other white space stay.
std::wstring TrimBlanks(const std::wstring& text);
std::wstring TrimLeadingBlanks(const std::wstring& text);
std::wstring TrimTrailingBlanks(const std::wstring& text);

struct SplitCommand {
    std::wstring program;    // without the quotes it was typed in
    std::wstring arguments;  // blanks trimmed
    bool quoted = false;     // the program was typed in double quotes
};

// Splits a line into program and arguments. A program typed in quotes ends at
// the first quote followed by a blank, or at the closing quote of the line; an
// unquoted one ends at the first blank. An empty program is never quoted.
SplitCommand SplitCommandLine(const std::wstring& line);

// The stored form of a split program: backslashes only, quotes put back.
std::wstring StoredProgramText(const SplitCommand& split);

// The whole line again: program text, then a blank and the arguments if any.
std::wstring JoinCommandLine(const std::wstring& programText, const std::wstring& arguments);

std::wstring SlashesToBackslashes(std::wstring path);

// The text up to and including the last backslash; empty when there is none.
std::wstring FolderOf(const std::wstring& path);

// A working folder as typed: blanks trimmed, one pair of quotes taken off.
struct FolderText {
    std::wstring folder;
    bool quoted = false;
};
FolderText ParseFolderText(const std::wstring& typed);
// The stored form of a working folder: quotes put back, empty stays empty.
std::wstring StoredFolderText(const FolderText& text);

// The extensions a bare program name is tried with, from the PATHEXT value:
// lower-cased, empty entries skipped, the classic four when the value is empty.
std::vector<std::wstring> ProgramExtensions(const std::wstring& pathext);
