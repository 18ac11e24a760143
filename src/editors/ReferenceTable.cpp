#include "editors/ReferenceTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {

namespace {

constexpr int kTop = 4095;
constexpr int kHalf = kReferenceSamples / 2;

// How far below the peak a corner lies at an offset d (in channels) from the
// peak's half-channel point. The cosine of radius (2n + 1) / pi and the
// parabola of scale n + 0.5 both meet the edges with slope 1 at d = n + 0.5;
// the added halves round to the nearest integer.
class Corner {
public:
    Corner(CornerShape shape, int n)
        : m_shape(shape), m_n(n), m_radius((2.0 * n + 1) / std::numbers::pi), m_scale(n + 0.5) {}

    int Depth(double d) const {
        if (m_shape == CornerShape::Cosine) {
            return m_n - static_cast<int>(std::trunc(m_radius * std::cos(d / m_radius) + 0.5));
        }
        return static_cast<int>(std::trunc(d * d / (2 * m_scale) + (m_scale + 1) / 2));
    }

private:
    CornerShape m_shape;
    int m_n;
    double m_radius;
    double m_scale;
};

std::uint16_t Sample(int value) {
    return static_cast<std::uint16_t>(value);
}

}  // namespace

int ClampRoundingScope(int scope) {
    return std::clamp(scope, 0, kMaxRoundingScope);
}

ReferenceSamples RoundedTriangle(CornerShape shape, int n) {
    n = ClampRoundingScope(n);
    const Corner corner(shape, n);
    ReferenceSamples t{};
    for (int i = 0; i < n; ++i) {
        t[i] = Sample(kTop - corner.Depth(i + 0.5));
    }
    for (int i = n; i <= kTop - n; ++i) {
        t[i] = Sample(kTop - i);
    }
    for (int i = kHalf - n; i <= kTop + n; ++i) {
        t[i] = Sample(corner.Depth(i - 4095.5));
    }
    for (int i = kHalf + n; i <= kReferenceSamples - 1 - n; ++i) {
        t[i] = Sample(i - kHalf);
    }
    for (int i = kReferenceSamples - n; i < kReferenceSamples; ++i) {
        t[i] = Sample(kTop - corner.Depth(i - 8191.5));
    }
    return t;
}

ReferenceWire EncodeReference(const ReferenceSamples& samples) {
    ReferenceWire wire{};
    for (int i = 0; i < kReferenceSamples; ++i) {
        const int v = samples[i] & 0x0FFF;
        wire[2 * i] = static_cast<std::uint8_t>((v * 4) & 0xFF);
        wire[2 * i + 1] = static_cast<std::uint8_t>((v / 16) & 0xFC);
    }
    return wire;
}

ReferenceWire WireFromFileWords(std::span<const std::uint8_t, kReferenceWireBytes> file) {
    ReferenceSamples samples{};
    for (int i = 0; i < kReferenceSamples; ++i) {
        samples[i] = static_cast<std::uint16_t>((file[2 * i] | file[2 * i + 1] << 8) & 0x0FFF);
    }
    return EncodeReference(samples);
}

}  // namespace qv
