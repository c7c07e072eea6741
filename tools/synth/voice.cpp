#include "tools/synth/voice.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace synth {

namespace {

using Formants = std::array<double, 3>;

// A child-like voice's first three formants, Hz.
Formants formantsOf(char vowel)
{
    switch (vowel) {
    case 'a':
        return {850, 1350, 2900};
    case 'i':
        return {320, 2600, 3300};
    case 'u':
        return {370, 1500, 2700};
    case 'e':
        return {520, 2200, 3000};
    default:
        return {520, 900, 2800}; // 'o'
    }
}

struct Frame {
    double pitch, level;
    Formants formants;
};

Frame frameAt(const std::vector<VoiceKey>& keys, double t)
{
    std::size_t next = 0;
    while (next < keys.size() && keys[next].time <= t)
        ++next;
    const VoiceKey& a = keys[next == 0 ? 0 : next - 1];
    const VoiceKey& b = keys[next == keys.size() ? keys.size() - 1 : next];
    const double u = b.time > a.time ? std::clamp((t - a.time) / (b.time - a.time), 0.0, 1.0) : 0.0;
    Frame f{a.pitch * std::pow(b.pitch / a.pitch, u), a.level + (b.level - a.level) * u, {}};
    const Formants fa = formantsOf(a.vowel), fb = formantsOf(b.vowel);
    for (std::size_t j = 0; j < 3; ++j)
        f.formants[j] = fa[j] + (fb[j] - fa[j]) * u;
    return f;
}

} // namespace

Buffer voice(const std::vector<VoiceKey>& keys, double seconds, std::uint32_t seed)
{
    static constexpr double kGain[] = {1.0, 0.6, 0.25};
    static constexpr double kWidth[] = {130, 170, 250}; // Hz, half-bandwidths
    Noise noise(seed);
    Biquad breath;
    Buffer b(samplesFor(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const Frame f = frameAt(keys, t);
        const double pitch = f.pitch * std::pow(2.0, 18.0 / 1200 * std::sin(2 * kPi * 5.5 * t));
        phase += 2 * kPi * pitch / kRate;
        double sum = 0;
        for (int k = 1; k * pitch < 7000; ++k) {
            double shape = 0;
            for (std::size_t j = 0; j < 3; ++j) {
                const double x = (k * pitch - f.formants[j]) / kWidth[j];
                shape += kGain[j] / (1 + x * x);
            }
            sum += shape / k * std::sin(k * phase);
        }
        // A breath of air through the second formant keeps it from sounding like an organ.
        breath.bandpass(f.formants[1], 3.0);
        sum += 0.08 * breath.process(noise.white());
        b[i] = static_cast<float>(f.level * sum);
    }
    return b;
}

} // namespace synth
