// The three action sounds. Each is heard the instant a button goes down, so
// each is already loud after a ramp of 1-3 ms from zero (no click).

#include "tools/synth/sounds.h"
#include "tools/synth/voice.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

double smoothstep(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

} // namespace

// "ふーっ": the lips' friction first, then a whispered "u" that swells, wavers
// and is cut off as the breath runs out.
Buffer breath()
{
    const double seconds = 0.48;
    Noise noise(0xB4EA7);
    Biquad friction, frictionTop, vowel1, vowel2, vowel3, flutter;
    friction.highpass(1400, 0.7);
    vowel1.bandpass(380, 4);
    vowel2.bandpass(1400, 4);
    vowel3.bandpass(2700, 5);
    flutter.lowpass(12, 0.7);
    Buffer b(samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        frictionTop.lowpass(6000 - 3000 * t / seconds, 0.7); // duller as the breath empties
        const float n = noise.white();
        const double fricative = frictionTop.process(friction.process(n));
        const double whisper = vowel1.process(n) * 0.8 + vowel2.process(n) + vowel3.process(n) * 0.5;
        const double swell = smoothstep(t / 0.12);
        const double envelope = (0.55 + 0.45 * swell) * (1 - smoothstep((t - 0.34) / 0.12));
        const double waver = 1 + 12 * flutter.process(noise.white());
        b[i] = static_cast<float>(envelope * waver * (fricative * (1 - 0.5 * swell) + whisper * (0.3 + 0.9 * swell)));
    }
    finish(b, {2, 20, kEffectRmsDb, false});
    return b;
}

// A firm press on the chest: a low body falling in pitch, a short padded
// impact on top, driven a little so it reads on small speakers too.
Buffer heartThump()
{
    const double seconds = 0.22;
    Noise noise(0x7A3B);
    Biquad padding;
    padding.lowpass(900, 0.7);
    Buffer b(samplesFor(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += 2 * kPi * (58 + 60 * std::exp(-t / 0.025)) / kRate;
        const double body = std::exp(-t / 0.06) * std::sin(phase);
        const double chest = 0.4 * std::exp(-t / 0.03) * std::sin(2 * kPi * 180 * t);
        const double impact = 2.0 * std::exp(-t / 0.008) * padding.process(noise.white());
        b[i] = static_cast<float>(std::tanh(1.8 * (body + chest + impact)));
    }
    finish(b, {1, 30, kEffectRmsDb, false});
    return b;
}

// "おーい": an open "o" that rises and holds, then closes to "i" and falls away.
Buffer call()
{
    const double seconds = 0.55;
    Buffer b = voice({{0.00, 300, 'o', 0.8},
                      {0.08, 370, 'o', 1.0},
                      {0.30, 390, 'o', 1.0},
                      {0.38, 380, 'i', 0.9},
                      {0.55, 290, 'i', 0.0}},
                     seconds, 0xCA11);
    finish(b, {3, 30, kEffectRmsDb, false});
    return b;
}

} // namespace synth
