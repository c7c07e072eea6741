#include "round/draws.h"

#include <cmath>

int gapFromDraw(float draw, Pace pace)
{
    const float spread = draw * static_cast<float>(pace.spreadMs);
    const float sum = static_cast<float>(pace.baseMs) + spread;
    return static_cast<int>(std::floor(sum));
}

int actionFromDraw(float draw)
{
    return static_cast<int>(std::floor(static_cast<float>(kActionCount) * draw));
}
