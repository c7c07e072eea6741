#pragma once
// A small vowel singer: a buzzing source whose harmonics are shaped by three
// formants, with pitch, vowel and loudness gliding between keyframes.

#include "tools/synth/dsp.h"

#include <vector>

namespace synth {

struct VoiceKey {
    double time; // seconds
    double pitch; // Hz
    char vowel; // one of a i u e o
    double level; // 0..1
};

// `keys` must be in time order; before the first and after the last key the
// nearest one holds.
Buffer voice(const std::vector<VoiceKey>& keys, double seconds, std::uint32_t seed);

} // namespace synth
