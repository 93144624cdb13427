#pragma once
// Where the settings live under HKEY_CURRENT_USER: the product's key, and the
// maker's key above it that also names the maker's other programs.

#include <cstdint>

inline constexpr wchar_t kProductKeyPath[] = L"Software\\Tessaly\\Korvane";
inline constexpr wchar_t kMakerKeyPath[] = L"Software\\Tessaly";
// The layout of the values below the product's key, stored as its "Version":
// a start that finds less takes it for a first start.
inline constexpr std::int32_t kSettingsLayoutVersion = 500;
