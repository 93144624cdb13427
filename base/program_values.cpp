#include "base/program_values.h"

std::wstring AppFolder;
bool LayeredWindowsAvailable = false;
