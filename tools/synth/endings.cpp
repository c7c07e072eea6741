// The five ending jingles. Each is a short phrase written as note strings
// (see sequencer.h) over a chord bed.

#include "tools/synth/instruments.h"
#include "tools/synth/sounds.h"
#include "tools/synth/voice.h"

#include <cmath>

namespace synth {

namespace {

Buffer finished(Buffer b, double seconds)
{
    b.resize(samplesFor(seconds), 0.0f);
    finish(b, {5, 300, kEffectRmsDb, false});
    return b;
}

} // namespace

// A music box climbs towards the high A but stops a step short and sinks back,
// over A minor turning to a bittersweet F major seventh.
Buffer closeCallEnding()
{
    const double step = 0.22;
    Buffer b;
    play(b, parseNotes("A4 C5 E5 G5 B5:3 A5:6", step), bell(), 0.5f);
    play(b, parseNotes("A3+C4+E4:4 F3+A3+C4+E4:9", step), pad(0.3), 0.18f);
    play(b, parseNotes("A2:4 F2:9", step), bass(), 0.4f);
    return finished(b, 3.4);
}

// The patient babbles happy nonsense in a sing-song voice over a tuba that
// stumbles down chromatically.
Buffer babbleEnding()
{
    const double step = 0.16;
    Buffer b;
    play(b, parseNotes("C3:2 G2:2 C3:2 G2:2 | C3 B2 Bb2 A2 Ab2:2 G2:2 | C3:2", step), tuba(), 0.5f);
    play(b, parseNotes("- E4+G4 - E4+G4 - E4+G4 - E4+G4 | - - - - - - D4+F4+B4 - | C4+E4+G4", step), marimba(), 0.25f);

    static constexpr char kVowels[] = "aiueo";
    Noise dice(0xBAB1E);
    std::vector<VoiceKey> keys;
    for (double t = 0.05; t < 2.3; t += 0.13) {
        const char vowel = kVowels[static_cast<int>(dice.uniform() * 5)];
        const double pitch = 300 * std::pow(2.0, dice.uniform() * 0.9 - 0.3);
        keys.push_back({t, pitch, vowel, 0.15}); // a consonant-like dip between syllables
        keys.push_back({t + 0.03, pitch * 1.12, vowel, 1.0});
        keys.push_back({t + 0.11, pitch * 0.9, vowel, 0.8});
    }
    keys.push_back({2.45, 250, 'a', 0.0});
    mixInto(b, voice(keys, 2.5, 0xBAB1E), 0, 0.5f);
    return finished(b, 3.2);
}

// Relief: a plagal B-flat to F, a warm flute line settling on the third and a
// sparkle of bells as it resolves.
Buffer rescueEnding()
{
    const double step = 0.18;
    Buffer b;
    play(b, parseNotes("D5:2 C5 D5 F5:2 | G5:2 A5:8", step), flute(), 0.45f);
    play(b, parseNotes("Bb3+D4+F4:6 A3+C4+F4:10", step), pad(0.15), 0.16f);
    play(b, parseNotes("Bb2:6 F2:10", step), bass(), 0.45f);
    play(b, parseNotes("-:6 F5 A5 C6 F6:7", step), bell(), 0.2f);
    return finished(b, 3.5);
}

// A slow line falling to the tonic of D minor over a dark, swelling chord bed.
Buffer deathEnding()
{
    const double step = 0.32;
    Buffer b;
    play(b, parseNotes("A4:2 G4 F4 E4:2 D4:4", step), flute(), 0.45f);
    play(b, parseNotes("D3+F3+A3:2 Bb2+D3+G3:2 A2+C#3+E3:2 D3+F3+A3:4", step), pad(0.25), 0.2f);
    play(b, parseNotes("D2:2 Bb1:2 A1:2 D2:4", step), bass(), 0.5f);
    return finished(b, 3.8);
}

// Brass in two voices: a triplet call, a leap up and a long high C with a
// snare roll into a cymbal crash and bells on top.
Buffer fullRescueEnding()
{
    const double step = 0.15;
    Buffer b;
    play(b, parseNotes("G4 G4 G4 C5:3 E5 G5:3 | E5 C6:12", step), brass(), 0.4f);
    play(b, parseNotes("E4 E4 E4 G4:3 C5 E5:3 | C5 G5:12", step), brass(), 0.3f);
    play(b, parseNotes("C3:6 E3:4 G2 C3:12", step), brass(), 0.3f);
    play(b, parseNotes("-:11 C6 E6 G6 C7:9", step), bell(), 0.15f);

    // A roll that grows over the leap up, landing on a crash with the high C.
    for (int hit = 0; hit < 16; ++hit)
        mixInto(b, snare(0x5A + hit), samplesFor(0.9 + hit * 0.05), float(0.08 + 0.02 * hit));
    mixInto(b, kick(), 0, 0.6f);
    mixInto(b, kick(), samplesFor(11 * step), 0.6f);
    mixInto(b, cymbal(0xC1), samplesFor(11 * step), 0.35f);
    return finished(b, 4.4);
}

} // namespace synth
