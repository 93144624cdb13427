#pragma once
// Where the settings live under HKEY_CURRENT_USER (the language choice, read
// before any setting, needs the same key from below).

#include <cstdint>

#include "base/product_key.h"

// The layout of the values below the product's key, stored as its "Version":
// a start that finds less takes it for a first start.
inline constexpr std::int32_t kSettingsLayoutVersion = 500;
