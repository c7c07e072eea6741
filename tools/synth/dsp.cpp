#include "tools/synth/dsp.h"

#include <algorithm>
#include <cmath>

namespace synth {

double dbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

float Noise::white()
{
    return static_cast<float>(uniform() * 2.0 - 1.0);
}

double Noise::uniform()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 4294967296.0;
}

void Biquad::set(double b0, double b1, double b2, double a0, double a1, double a2)
{
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

void Biquad::lowpass(double freq, double q)
{
    const double w = 2 * kPi * freq / kRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::highpass(double freq, double q)
{
    const double w = 2 * kPi * freq / kRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::bandpass(double freq, double q)
{
    const double w = 2 * kPi * freq / kRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::process(float x)
{
    // Transposed direct form II: stays well-behaved while coefficients move.
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return static_cast<float>(y);
}

double adsr(double t, double held, double attack, double decay, double sustain, double release)
{
    auto level = [&](double u) {
        if (u < attack)
            return u / attack;
        return sustain + (1 - sustain) * std::exp(-(u - attack) / decay);
    };
    if (t < 0)
        return 0;
    if (t < held)
        return level(t);
    return std::max(0.0, level(held) * (1 - (t - held) / release));
}

void mixInto(Buffer& dst, const Buffer& src, std::size_t offset, float gain)
{
    if (dst.size() < offset + src.size())
        dst.resize(offset + src.size(), 0.0f);
    for (std::size_t i = 0; i < src.size(); ++i)
        dst[offset + i] += gain * src[i];
}

double rms(const Buffer& b)
{
    double sum = 0;
    for (float x : b)
        sum += double(x) * x;
    return b.empty() ? 0 : std::sqrt(sum / b.size());
}

double loudestWindowRms(const Buffer& b)
{
    const std::size_t window = std::min(b.size(), samplesFor(0.1));
    if (window == 0)
        return 0;
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        sum += double(b[i]) * b[i];
        if (i >= window)
            sum -= double(b[i - window]) * b[i - window];
        if (i + 1 >= window)
            best = std::max(best, sum);
    }
    return std::sqrt(best / window);
}

void finish(Buffer& b, const Finish& how)
{
    Biquad dcBlock;
    dcBlock.highpass(15.0, 0.707);
    for (float& x : b)
        x = dcBlock.process(x);

    const std::size_t in = std::min(b.size(), samplesFor(how.fadeInMs / 1000));
    for (std::size_t i = 0; i < in; ++i)
        b[i] *= float(i) / in;
    const std::size_t out = std::min(b.size(), samplesFor(how.fadeOutMs / 1000));
    for (std::size_t i = 0; i < out; ++i)
        b[b.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(kPi * i / out));

    const double level = how.wholeFileRms ? rms(b) : loudestWindowRms(b);
    const double gain = level > 0 ? dbToGain(how.targetRmsDb) / level : 1.0;

    // Soft knee from -6 dBFS that approaches but never reaches -1.1 dBFS.
    const double knee = dbToGain(-6.0), ceiling = dbToGain(-1.1);
    for (float& x : b) {
        const double y = std::abs(x * gain);
        const double limited = y <= knee ? y : knee + (ceiling - knee) * std::tanh((y - knee) / (ceiling - knee));
        x = static_cast<float>(std::copysign(limited, x));
    }
}

} // namespace synth
