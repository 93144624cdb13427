#include "base/direction_sectors.h"

std::int32_t SectorDirection(std::int32_t dx, std::int32_t dy)
{
    // Widened so that doubling an extreme offset cannot overflow.
    const std::int64_t x = dx;
    const std::int64_t y = dy;
    if (2 * x >= y) {
        if (x < -2 * y)
            return 2 * x >= -y ? 2 : 1;
        return x < 2 * y ? 4 : 3;
    }
    if (x < -2 * y)
        return x >= 2 * y ? 8 : 7;
    return 2 * x < -y ? 6 : 5;
}
