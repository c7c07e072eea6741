#pragma once
// The instruments the music and the endings are played on. Tones are built
// additively (only partials below Nyquist, so nothing aliases); drums from
// filtered noise and swept sines.

#include "tools/synth/sequencer.h"

namespace synth {

Instrument marimba(); // soft wooden strike, for chords and bouncy parts
Instrument bell(); // glassy, long ring
Instrument flute(); // hollow lead with a late vibrato
Instrument bass(); // round plucked bass
Instrument pad(double attackSeconds); // soft string-like chord bed
Instrument brass(); // brightens as it swells
Instrument tuba(); // comic low "oom"

Buffer kick();
Buffer snare(std::uint32_t seed);
Buffer hat(std::uint32_t seed);
Buffer cymbal(std::uint32_t seed);

} // namespace synth
