#pragma once
// Captions of commands: the one a new command line proposes and the one lists
// show. No Windows dependency.

#include <string>

// The file name of a path without its extension; a name that starts with a
// non-digit loses its trailing digits (Winamp3 -> Winamp, 7zip2 stays).
std::wstring DeriveCaption(const std::wstring& path);

// "---" for a command without a program, else its caption or "(nameless)".
std::wstring DisplayCaptionOf(const std::wstring& programText, const std::wstring& caption);
