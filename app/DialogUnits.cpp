#include "DialogUnits.h"

namespace eee {

QRect DialogUnits::DialogRect(int x, int y, int width, int height)
{
    auto mapX = [](int v) { return (v * kBaseUnitX + 2) / 4; };
    auto mapY = [](int v) { return (v * kBaseUnitY + 4) / 8; };
    return QRect(mapX(x), mapY(y), mapX(width), mapY(height));
}

} // namespace eee
