#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv {

// The vibrator's reference waveform: one period of 8192 samples of 12 bits.
inline constexpr int kReferenceSamples = 8192;
inline constexpr int kReferenceWireBytes = 2 * kReferenceSamples;
inline constexpr int kMaxRoundingScope = 2047;
using ReferenceSamples = std::array<std::uint16_t, kReferenceSamples>;
using ReferenceWire = std::array<std::uint8_t, kReferenceWireBytes>;

enum class CornerShape { Cosine, Parabola };

// The scope the generator works with: 0..2047.
int ClampRoundingScope(int scope);

// A triangle falling from the top at the wrap 8191 | 0 to the bottom at
// 4095 | 4096 and rising back, each corner rounded over 2 n channels centred
// on its half-channel point. Symmetric: T[i] = T[8191 - i]. n is clamped.
ReferenceSamples RoundedTriangle(CornerShape shape, int n);

// Two bytes per sample, six bits each in bits 7..2: low six bits first.
ReferenceWire EncodeReference(const ReferenceSamples& samples);

// The first 16384 bytes of a reference file, 8192 little-endian words whose
// bits 11..0 are the samples, in the wire form.
ReferenceWire WireFromFileWords(std::span<const std::uint8_t, kReferenceWireBytes> file);

}  // namespace qv
