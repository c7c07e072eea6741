#pragma once
// Small building blocks shared by every sound recipe: a buffer type, a seeded
// noise source, a filter, envelopes and the final clean-up before writing.

#include <cstdint>
#include <vector>

namespace synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

inline std::size_t samplesFor(double seconds)
{
    return static_cast<std::size_t>(seconds * kRate + 0.5);
}
double dbToGain(double db);

// xorshift32 with a fixed seed per sound, so every build writes the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed)
        : state_(seed ? seed : 1u)
    {
    }
    float white(); // uniform in [-1, 1)
    double uniform(); // uniform in [0, 1)
private:
    std::uint32_t state_;
};

// RBJ biquad; coefficients can be changed per sample for sweeps.
class Biquad {
public:
    void lowpass(double freq, double q);
    void highpass(double freq, double q);
    void bandpass(double freq, double q); // unity gain at the centre
    float process(float x);

private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// Linear attack, exponential-ish decay to a sustain level, linear release after `held`.
double adsr(double t, double held, double attack, double decay, double sustain, double release);

// Adds `src` into `dst` at `offset` samples, growing `dst` if needed.
void mixInto(Buffer& dst, const Buffer& src, std::size_t offset, float gain = 1.0f);

// Loudest 100 ms stretch: the measure the effects are matched by.
double loudestWindowRms(const Buffer& b);
double rms(const Buffer& b);

struct Finish {
    double fadeInMs; // ramp from exact zero, so the first sample never clicks
    double fadeOutMs;
    double targetRmsDb; // of the loudest 100 ms, or of the whole file
    bool wholeFileRms;
};

// DC removal, fades, loudness, then a soft limit that keeps peaks under -1 dBFS.
void finish(Buffer& b, const Finish& how);

} // namespace synth
