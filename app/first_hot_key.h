#pragma once
// The hot key a first start stores, in the hot-key control's encoding
// (virtual key in the low byte; Shift 1, Ctrl 2, Alt 4 in the next). No
// Windows dependency: the check that the READMEs name them reads them too.
//
// On the Japanese keyboard Ctrl+Shift+＼ (VK_OEM_102), a key other keyboards
// lack or have elsewhere. Every other keyboard gets Ctrl+Alt+F11: a function
// key exists on all of them and types no character with AltGr (which is
// Ctrl+Alt), and neither Windows nor the common programs use this combination.

#include <cstdint>

inline constexpr std::int32_t kJapaneseFirstHotKey = 0x3E2;  // Ctrl+Shift+VK_OEM_102
inline constexpr std::int32_t kOtherFirstHotKey = 0x67A;     // Ctrl+Alt+VK_F11
