// The background tune: 16 bars of C major at 150 beats a minute, exactly
// 25.6 s. The game restarts the file when it ends, so the last bar is a
// stop-time run that leads back up into the first downbeat, and every voice
// has died away before the end: the loop point is silence to silence.

#include "tools/synth/instruments.h"
#include "tools/synth/sounds.h"

#include <map>
#include <string>

namespace synth {

namespace {

constexpr double kStep = 0.2; // an eighth note at 150 bpm
constexpr int kBars = 16;

constexpr const char* kMelody
    = "E5:2 G5 E5 C5:2 D5 E5 | A4:2 C5 E5 A5:3 G5 | F5:2 E5 D5 C5:2 A4:2 | B4:2 D5 G5 F5:2 D5:2 |"
      "E5:2 G5 E5 C6:2 B5 A5 | A5:2 E5 C5 E5:2 A5:2 | F5:2 A5:2 G5:2 B4 D5 | C5:3 G4 C5:2 -:2 |"
      "A5:3 G5 F5:2 C5:2 | D5:2 G5:2 B5:2 A5 G5 | G5:3 E5 B4:2 E5:2 | C5:2 E5 A5 G5:2 E5:2 |"
      "F5:2 A5 C6 A5:2 F5:2 | G5:2 B5 D6 B5:2 G5:2 | F5:2 E5 D5 A4:2 D5:2 | G4 A4 B4 C5 D5:2 -:2";

// Two chords per bar; "-" is the stop before the tune comes round again.
constexpr const char* kHarmony[kBars][2]
    = {{"C", "C"}, {"Am", "Am"}, {"F", "F"},   {"G", "G"},   {"C", "C"}, {"Am", "Am"}, {"Dm", "G"},  {"C", "C"},
       {"F", "F"}, {"G", "G"},   {"Em", "Em"}, {"Am", "Am"}, {"F", "F"}, {"G", "G"},   {"Dm", "Dm"}, {"G", "-"}};

// k kick, s snare, h hat alone, . nothing; hats ride on kicks and snares too.
constexpr const char* kDrums[kBars]
    = {"khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshksss",
       "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshkhsh", "khshsshh"};

struct Chord {
    const char* root; // bass, beats 1 and 3
    const char* fifth; // bass, beats 2 and 4
    const char* triad; // offbeat marimba, voiced under the tune
};

const std::map<std::string, Chord> kChords
    = {{"C", {"C3", "G2", "G3+C4+E4"}}, {"Am", {"A2", "E3", "A3+C4+E4"}}, {"F", {"F2", "C3", "A3+C4+F4"}},
       {"G", {"G2", "D3", "G3+B3+D4"}}, {"Dm", {"D3", "A2", "A3+D4+F4"}}, {"Em", {"E2", "B2", "G3+B3+E4"}}};

// Slightly detached notes keep the tune bouncy.
std::vector<Note> detached(std::vector<Note> notes, double held)
{
    for (Note& n : notes)
        n.length *= held;
    return notes;
}

} // namespace

Buffer backgroundMusic()
{
    std::string bassLine, chordLine;
    for (const auto& bar : kHarmony)
        for (const char* name : bar) {
            if (std::string(name) == "-") {
                bassLine += "-:4 ";
                chordLine += "-:4 ";
                continue;
            }
            const Chord& c = kChords.at(name);
            bassLine += std::string(c.root) + ":2 " + c.fifth + ":2 ";
            chordLine += std::string("- ") + c.triad + " - " + c.triad + " ";
        }

    Buffer b;
    play(b, detached(parseNotes(kMelody, kStep), 0.85), flute(), 0.35f);
    play(b, detached(parseNotes(bassLine, kStep), 0.7), bass(), 0.5f);
    play(b, parseNotes(chordLine, kStep), marimba(), 0.14f);

    for (int bar = 0; bar < kBars; ++bar)
        for (int step = 0; step < 8; ++step) {
            const char hit = kDrums[bar][step];
            const std::size_t at = samplesFor((bar * 8 + step) * kStep);
            const auto seed = static_cast<std::uint32_t>(bar * 8 + step + 1);
            if (hit == 'k')
                mixInto(b, kick(), at, 0.45f);
            if (hit == 's')
                mixInto(b, snare(seed), at, 0.3f);
            if (hit != '.')
                mixInto(b, hat(seed * 7919), at, step % 2 ? 0.14f : 0.09f);
        }

    b.resize(samplesFor(kBars * 8 * kStep), 0.0f);
    finish(b, {2, 50, kMusicRmsDb, true});
    return b;
}

} // namespace synth
