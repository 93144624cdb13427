#pragma once
// Where and on what the program runs. Start-up fixes both before anything
// reads them; the floors above read them and never set them.

#include <string>

// The program's folder, always ending in a separator.
extern std::wstring AppFolder;
// True on the NT family from version 5 on, where windows can be layered.
extern bool LayeredWindowsAvailable;
