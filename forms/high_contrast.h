#pragma once
// Whether Windows shows a high-contrast theme. The system colours then are
// the theme's, and what the program draws in colours of its own (the drag
// figure's greys, the tab icons) is drawn in the theme's instead.

#include <windows.h>

#include <optional>

bool HighContrastOn();

// Says what HighContrastOn answers from now on; std::nullopt asks Windows
// again. Wine cannot switch the theme on, so tests switch it here.
void OverrideHighContrast(std::optional<bool> on);
