#pragma once
// The hot key a first start stores, in the hot-key control's encoding
// (virtual key in the low byte; Shift 1, Ctrl 2, Alt 4 in the next): Ctrl+
// Shift and VK_OEM_102, the ＼ key of the Japanese keyboard. No Windows
// dependency: the check that the README names it reads it too.

#include <cstdint>

inline constexpr std::int32_t kFirstStartHotKey = 0x3E2;
