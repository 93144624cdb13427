#pragma once
// The bytes of small image files for tests that load pictures.

#include <windows.h>

#include <string>

// A one-colour 24-bit bitmap file, size × size pixels.
std::string BitmapFile(int size, COLORREF colour);
// A one-colour, fully opaque 32-bit icon file, size × size pixels.
std::string IconFile(int size, COLORREF colour);
