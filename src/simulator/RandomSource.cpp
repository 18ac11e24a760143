#include "simulator/RandomSource.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::sim {

namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

constexpr double kSmallMean = 20.0;

}  // namespace

RandomSource::RandomSource(std::uint64_t seed) {
    for (auto& s : m_s) {
        s = SplitMix(seed);
    }
}

std::uint64_t RandomSource::Next() {
    const std::uint64_t result = Rotl(m_s[1] * 5, 7) * 9;
    const std::uint64_t t = m_s[1] << 17;
    m_s[2] ^= m_s[0];
    m_s[3] ^= m_s[1];
    m_s[1] ^= m_s[2];
    m_s[0] ^= m_s[3];
    m_s[2] ^= t;
    m_s[3] = Rotl(m_s[3], 45);
    return result;
}

double RandomSource::Uniform() {
    return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53;
}

// Marsaglia's polar method; the second value of each pair is kept.
double RandomSource::Normal() {
    if (m_hasSpare) {
        m_hasSpare = false;
        return m_spareNormal;
    }
    double u, v, s;
    do {
        u = 2 * Uniform() - 1;
        v = 2 * Uniform() - 1;
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    const double factor = std::sqrt(-2 * std::log(s) / s);
    m_spareNormal = v * factor;
    m_hasSpare = true;
    return u * factor;
}

std::uint32_t RandomSource::Poisson(double mean) {
    if (!(mean > 0)) {
        return 0;
    }
    if (mean < kSmallMean) {
        const double limit = std::exp(-mean);
        std::uint32_t k = 0;
        for (double p = Uniform(); p > limit; p *= Uniform()) {
            ++k;
        }
        return k;
    }
    const double x = std::round(mean + std::sqrt(mean) * Normal());
    constexpr double kMax = std::numeric_limits<std::uint32_t>::max();
    return x <= 0 ? 0 : static_cast<std::uint32_t>(std::min(x, kMax));
}

}  // namespace qv::sim
