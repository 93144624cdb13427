#pragma once
// What this process holds of the system: kernel handles, GDI and USER objects,
// windows and memory, for checking that repeated work gives everything back.

#include <windows.h>

#include <cstddef>
#include <string>

struct ResourceCounts {
    long kernelHandles = 0;
    long gdiObjects = 0;
    long userObjects = 0;  // menus, icons and cursors, and windows
    long windows = 0;      // of this thread, children included
    std::size_t privateBytes = 0;
    // Names (or classes) of the top-level windows, "+" visible, "-" hidden.
    std::string topLevelWindows;
};

ResourceCounts CountResources();

// "handles 41, GDI 70, ..." for a failure message.
std::string Describe(const ResourceCounts& counts);
