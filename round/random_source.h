#pragma once

#include <cstdint>
#include <random>

// The one source of chance in the game: uniform single-precision draws in
// [0, 1). The game's is seeded from the clock; tests script theirs.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    [[nodiscard]] virtual float draw() = 0;
};

class ClockRandom final : public RandomSource {
public:
    ClockRandom();
    [[nodiscard]] float draw() override;

    // Maps 32 random bits to [0, 1). Only the top 24 bits are used, so the
    // result is exact in a float and never rounds up to 1.0 (which would
    // yield an action index of 3).
    [[nodiscard]] static constexpr float fromBits(std::uint32_t bits)
    {
        return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
    }

private:
    std::mt19937 m_engine;
};
