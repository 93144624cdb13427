#pragma once
// The boundary between korvane.exe and korvane.dll. Both sides include this
// header; the library exports its two functions by ordinal only.

#include <windows.h>

// One menu entry: NUL-terminated strings in the ANSI code page.
struct CompiledMenuEntry {
    const char* caption;    // the entry's display caption; "-" is a separator
    const char* program;    // program or document path, without surrounding quotes
    const char* arguments;  // argument text, possibly empty
};
static_assert(sizeof(CompiledMenuEntry) == 3 * sizeof(void*), "entries are contiguous pointers");

// Both answer buffers hold this many bytes, NUL-terminated, cleared by the caller.
inline constexpr int kMenuAnswerSize = 260;
// The answer that means "open the first buffer with the second as parameters".
inline constexpr int kMenuOpenAnswer = -1;

inline constexpr WORD kPopupCommandMenuOrdinal = 1;
inline constexpr WORD kPopupItemMenuOrdinal = 2;

// Ordinal 1: all menu entries, then the built-in actions 1 to 3 (answered as
// their numbers); dblClickAction is the action a double-click runs.
using PopupCommandMenuFn = int(WINAPI*)(HWND owner, const CompiledMenuEntry* entries, int count,
                                        char* file, char* parameters, int x, int y,
                                        int dblClickAction);
// Ordinal 2: the menu of one entry at the given point.
using PopupItemMenuFn = int(WINAPI*)(HWND owner, const CompiledMenuEntry* entry, char* file,
                                     char* parameters, int x, int y);
