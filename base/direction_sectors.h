#pragma once
// The eight directions around a centre, numbered 1 (up) to 8 (upper left)
// clockwise, split by the lines of slope 1:2 and 2:1 through the centre:
// straight directions get about 53 degrees, diagonals about 37.

#include <cstdint>

// Direction 1..8 of the offset (dx, dy) from the centre, y growing downwards.
// A point on a border goes where the comparisons put it: (10, -20) is 2 but
// (-10, -20) is 1, (20, -10) and (20, 10) are 3. (0, 0) gives 3.
std::int32_t SectorDirection(std::int32_t dx, std::int32_t dy);
