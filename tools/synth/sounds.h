#pragma once
// The game's sounds. Each recipe returns a finished sound: faded at both
// ends, levelled and limited below -1 dBFS.

#include "game/sound.h"
#include "tools/synth/dsp.h"

namespace synth {

// Effects are matched by their loudest 100 ms; the music by its whole length,
// and sits well under them so prompts and endings always cut through.
constexpr double kEffectRmsDb = -12.0;
constexpr double kMusicRmsDb = -19.0;

Buffer backgroundMusic();
Buffer breath();
Buffer heartThump();
Buffer call();
Buffer closeCallEnding(); // death after a close call
Buffer babbleEnding(); // rescue, but the patient babbles
Buffer rescueEnding();
Buffer deathEnding();
Buffer fullRescueEnding();

} // namespace synth
