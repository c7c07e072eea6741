#pragma once

#include "round/rules.h"

// A gap between prompts, in ms: floor(base + draw * spread) computed in
// single precision. A draw just below 1 rounds up to base + spread exactly,
// the only way that value occurs.
[[nodiscard]] int gapFromDraw(float draw, Pace pace);

// A random action index 0..2 from one draw.
[[nodiscard]] int actionFromDraw(float draw);
