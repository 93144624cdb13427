#pragma once
// Where the program's settings live under HKEY_CURRENT_USER: the product's
// key, and the maker's key above it that also names the maker's other programs.

inline constexpr wchar_t kProductKeyPath[] = L"Software\\Tessaly\\Korvane";
inline constexpr wchar_t kMakerKeyPath[] = L"Software\\Tessaly";
