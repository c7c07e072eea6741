#include "tools/synth/instruments.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double kTopPartial = 16000.0; // Hz; keeps every partial well under Nyquist

// Rises over `attack` and falls over the last 10 ms, so no hit starts or stops with a click.
double edges(double t, double seconds, double attack)
{
    return std::clamp(std::min(t / attack, (seconds - t) / 0.01), 0.0, 1.0);
}

// Harmonic tone: partial k has level(k, t), the whole under env(t). The
// vibrato fades in over its first 300 ms, as a player's would.
Buffer harmonic(double freq, double seconds, double vibratoCents, const std::function<double(double t)>& env,
                const std::function<double(int k, double t)>& level)
{
    Buffer b(samplesFor(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double cents = vibratoCents * std::min(1.0, t / 0.3) * std::sin(2 * kPi * 5.2 * t);
        const double f = freq * std::pow(2.0, cents / 1200);
        phase += 2 * kPi * f / kRate;
        const double e = env(t);
        double sum = 0;
        for (int k = 1; k * f < kTopPartial && k <= 24; ++k)
            sum += level(k, t) * std::sin(k * phase);
        b[i] = static_cast<float>(e * sum);
    }
    return b;
}

// One partial of a struck instrument: frequency ratio, level, decay time.
struct Mode {
    double ratio;
    double level;
    double decay;
};

// Sum of exponentially decaying sines after a 2 ms strike.
Buffer struck(double freq, double seconds, const std::vector<Mode>& modes)
{
    Buffer b(samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        double sum = 0;
        for (const Mode& m : modes)
            if (m.ratio * freq < kTopPartial)
                sum += m.level * std::exp(-t / m.decay) * std::sin(2 * kPi * m.ratio * freq * t);
        b[i] = static_cast<float>(sum * edges(t, seconds, 0.002));
    }
    return b;
}

} // namespace

Instrument marimba()
{
    return [](double freq, double) {
        return struck(freq, 0.7, {{1.0, 1.0, 0.22}, {4.0, 0.3, 0.05}, {9.9, 0.08, 0.015}});
    };
}

Instrument bell()
{
    return [](double freq, double held) {
        return struck(freq, std::max(held, 1.2) + 2.0,
                      {{1.0, 1.0, 1.0}, {2.0, 0.45, 0.7}, {3.0, 0.25, 0.4}, {4.2, 0.2, 0.25}, {5.4, 0.12, 0.15}});
    };
}

Instrument flute()
{
    return [](double freq, double held) {
        auto env = [held](double t) { return adsr(t, held, 0.012, 0.15, 0.7, 0.06); };
        auto level = [](int k, double) { return (k % 2 ? 1.0 : 0.15) / (k * k); };
        return harmonic(freq, held + 0.06, 12, env, level);
    };
}

Instrument bass()
{
    return [](double freq, double held) {
        auto env = [held](double t) { return adsr(t, held, 0.004, 0.25, 0.35, 0.04); };
        // Bright at the pluck, darkening as it rings.
        auto level = [](int k, double t) { return std::exp(-(k - 1) * (0.5 + 6 * t)) / k; };
        return harmonic(freq, held + 0.04, 0, env, level);
    };
}

Instrument pad(double attackSeconds)
{
    return [attackSeconds](double freq, double held) {
        auto env = [=](double t) { return adsr(t, held, attackSeconds, 1.0, 1.0, 0.6); };
        auto level = [freq](int k, double) { return std::pow(k, -1.5) / (1 + std::pow(k * freq / 2500, 2)); };
        // Two voices a few cents apart give the slow chorus of a section.
        Buffer b = harmonic(freq * 1.0035, held + 0.6, 0, env, level);
        mixInto(b, harmonic(freq / 1.0035, held + 0.6, 0, env, level), 0);
        return b;
    };
}

Instrument brass()
{
    return [](double freq, double held) {
        auto env = [held](double t) { return adsr(t, held, 0.035, 0.3, 0.75, 0.12); };
        auto level = [env](int k, double t) { return std::exp(-(k - 1) / (0.8 + 6 * env(t))) / k; };
        return harmonic(freq, held + 0.12, 10, env, level);
    };
}

Instrument tuba()
{
    return [](double freq, double held) {
        auto env = [held](double t) { return adsr(t, held, 0.02, 0.12, 0.5, 0.06); };
        auto level = [env](int k, double t) { return std::exp(-(k - 1) / (0.6 + 2.5 * env(t))) / k; };
        return harmonic(freq, held + 0.06, 0, env, level);
    };
}

Buffer kick()
{
    const double seconds = 0.35;
    Buffer b(samplesFor(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += 2 * kPi * (50 + 110 * std::exp(-t / 0.03)) / kRate;
        b[i] = static_cast<float>(edges(t, seconds, 0.002) * std::exp(-t / 0.1) * std::sin(phase));
    }
    return b;
}

Buffer snare(std::uint32_t seed)
{
    Noise noise(seed);
    Biquad body;
    body.bandpass(2200, 0.7);
    const double seconds = 0.22;
    Buffer b(samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double tone = 0.5 * std::exp(-t / 0.04) * std::sin(2 * kPi * 190 * t);
        b[i] = static_cast<float>(edges(t, seconds, 0.001)
                                  * (std::exp(-t / 0.06) * body.process(noise.white()) * 1.5 + tone));
    }
    return b;
}

Buffer hat(std::uint32_t seed)
{
    Noise noise(seed);
    Biquad air;
    air.highpass(7000, 0.7);
    const double seconds = 0.08;
    Buffer b(samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] = static_cast<float>(edges(t, seconds, 0.001) * std::exp(-t / 0.018) * air.process(noise.white()));
    }
    return b;
}

Buffer cymbal(std::uint32_t seed)
{
    Noise noise(seed);
    Biquad air, shimmer;
    air.highpass(4500, 0.7);
    shimmer.bandpass(8000, 1.2);
    const double seconds = 2.0;
    Buffer b(samplesFor(seconds));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const float n = air.process(noise.white());
        b[i] = static_cast<float>(edges(t, seconds, 0.002) * std::exp(-t / 0.45) * (n + shimmer.process(n)));
    }
    return b;
}

} // namespace synth
