#pragma once
// Where the settings live under HKEY_CURRENT_USER (the language choice, read
// before any setting, needs the same key from below).

#include "base/product_key.h"
