#pragma once

#include <cstdint>

namespace qv::sim {

// A small, fast generator (xoshiro256**) seeded through splitmix64, so a seed
// gives the same counts on every machine and library.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed);

    std::uint64_t Next();
    // Uniform in (0, 1).
    double Uniform();
    double Normal();
    // A Poisson draw: exact by multiplication for small means, the rounded
    // normal approximation for large ones (indistinguishable at those counts).
    std::uint32_t Poisson(double mean);

private:
    std::uint64_t m_s[4];
    double m_spareNormal = 0;
    bool m_hasSpare = false;
};

}  // namespace qv::sim
