#include "round/random_source.h"

#include <chrono>

ClockRandom::ClockRandom()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

float ClockRandom::draw()
{
    return fromBits(static_cast<std::uint32_t>(m_engine()));
}
