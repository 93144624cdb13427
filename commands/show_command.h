#pragma once
// Window states of commands and the platform's show commands (SW_ numbers)
// used for launching and in shortcut files. No Windows dependency.

#include <cstdint>

// WindowState: 0 automatic, 1 normal, 2 maximized, 3 minimized.
inline constexpr std::int32_t kStateAutomatic = 0;
inline constexpr std::int32_t kStateNormal = 1;
inline constexpr std::int32_t kStateMaximized = 2;
inline constexpr std::int32_t kStateMinimized = 3;

// The show command for a state; any state outside 0..3 hides the window (0).
std::int32_t ShowCommandOf(std::int32_t windowState, bool setFocus);

struct WindowStateAndFocus {
    std::int32_t windowState;
    bool setFocus;
};
// Back from a show command read from a shortcut file; a value that is no
// known show command reads as maximized with focus.
WindowStateAndFocus WindowStateOfShowCommand(std::int32_t showCommand);
