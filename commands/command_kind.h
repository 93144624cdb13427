#pragma once
// The kind of list a command belongs to; it decides how the command treats
// its working folder and how it is launched. No Windows dependency.

#include <cstdint>

inline constexpr std::int32_t kDragList = 0;
inline constexpr std::int32_t kKeyList = 1;
inline constexpr std::int32_t kMenuList = 2;
