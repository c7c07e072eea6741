#pragma once
// The game's nine sounds, by file number. Each recipe returns a finished
// sound: faded at both ends, levelled and limited below -1 dBFS.

#include "tools/synth/dsp.h"

namespace synth {

// Effects are matched by their loudest 100 ms; the music by its whole length,
// and sits well under them so prompts and endings always cut through.
constexpr double kEffectRmsDb = -12.0;
constexpr double kMusicRmsDb = -19.0;

Buffer backgroundMusic(); // 0.wav
Buffer breath(); // 1.wav  artificial respiration
Buffer heartThump(); // 2.wav  heart massage
Buffer call(); // 3.wav  calling out
Buffer closeCallEnding(); // 4.wav  death after a close call
Buffer babbleEnding(); // 5.wav  rescue, but the patient babbles
Buffer rescueEnding(); // 6.wav  rescue
Buffer deathEnding(); // 7.wav  death
Buffer fullRescueEnding(); // 8.wav  full rescue

} // namespace synth
