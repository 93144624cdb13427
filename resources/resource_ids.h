#pragma once
// Resource numbers of korvane.exe, shared by the resource script and the code.

// The pad's icon, also the program's icon (the lowest number comes first).
#define IDI_KORVANE 1
