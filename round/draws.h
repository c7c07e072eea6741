#pragma once

#include "random_source.h"

#include <QtGlobal>

inline constexpr int kActionCount = 3;

// A gap between prompts, in ms: floor(base + draw * spread) computed in
// single precision. A draw just below 1 rounds up to base + spread exactly,
// the only way that value occurs.
[[nodiscard]] int gapFromDraw(float draw, int baseInterval, qint16 intervalSpread);

// A random action index 0..2 from one draw.
[[nodiscard]] quint8 actionFromDraw(float draw);

// Draws actions until one differs from the previous prompt. Each try
// succeeds with chance 2/3, so the loop ends quickly.
[[nodiscard]] quint8 drawNextAction(RandomSource& random, quint8 previous);
