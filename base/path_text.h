#pragma once
// Quoting and separator rules for paths as the user types them. No Windows
// dependency: these are also built natively and checked with sanitizers.

#include <string>

// C:\Tools\ -> C:\Tools; "C:\Tools\" -> "C:\Tools"; only one separator goes.
std::wstring RemoveTrailingSeparator(const std::wstring& path);

// Removes one pair of surrounding double quotes, if there is a pair.
std::wstring Unquote(const std::wstring& text);

// Wraps a path containing a blank in double quotes unless it is quoted already.
std::wstring QuoteIfSpaced(const std::wstring& path);

bool IsQuoted(const std::wstring& text);
bool EndsWithSeparator(const std::wstring& text);
// A path from a drive's root or a network share (C:\x, \\server\share\x);
// any other is taken from some current folder.
bool IsFullPath(const std::wstring& path);
