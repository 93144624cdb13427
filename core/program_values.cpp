// The program-wide values that start-up fixes, defined apart from start-up so
// that the libraries below it (the command lists) can read them.
#include "core/entry_point.h"

std::wstring AppFolder;
bool LayeredWindowsAvailable = false;
