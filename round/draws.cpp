#include "draws.h"

#include <cmath>

int gapFromDraw(float draw, int baseInterval, qint16 intervalSpread)
{
    const float spread = draw * static_cast<float>(intervalSpread);
    const float sum = static_cast<float>(baseInterval) + spread;
    return static_cast<int>(std::floor(sum));
}

quint8 actionFromDraw(float draw)
{
    return static_cast<quint8>(std::floor(static_cast<float>(kActionCount) * draw));
}

quint8 drawNextAction(RandomSource& random, quint8 previous)
{
    quint8 action = previous;
    while (action == previous)
        action = actionFromDraw(random.draw());
    return action;
}
