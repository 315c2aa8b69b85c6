// The game's random source: seedable, and the same draws on every platform for the same seed.
#pragma once

#include <cstdint>
#include <random>

namespace quorvel {

class Random {
public:
    explicit Random(std::uint32_t seed = 1) : m_engine(seed) {}

    void reseed(std::uint32_t seed) { m_engine.seed(seed); }

    // The next 32 bits of the stream, as a seed for another source.
    std::uint32_t draw() { return static_cast<std::uint32_t>(m_engine()); }

    // A uniform integer in lo..hi (inclusive); lo when hi < lo.
    int uniform(int lo, int hi);

private:
    std::mt19937 m_engine;
};

} // namespace quorvel
