#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "document/SettingsBlocks.h"

namespace qv {

inline constexpr std::size_t kChannels = 4096;
using Spectrum = std::array<std::uint32_t, kChannels>;

// One measurement: what the data file stores.
struct Measurement {
    std::string Remark;  // Windows-1252 bytes
    HardwareVersionStamp Stamp{};
    SettingsImage Settings{};
    Spectrum Qv2{};
    Spectrum Qv1{};
    // Anticoincidence then coincidence: the card delivers both in one readout.
    std::array<std::uint32_t, 2 * kChannels> Aa{};

    std::span<std::uint32_t, kChannels> AaAntiCoinc() { return std::span(Aa).first<kChannels>(); }
    std::span<std::uint32_t, kChannels> AaCoinc() { return std::span(Aa).last<kChannels>(); }
    std::span<const std::uint32_t, kChannels> AaAntiCoinc() const {
        return std::span(Aa).first<kChannels>();
    }
    std::span<const std::uint32_t, kChannels> AaCoinc() const {
        return std::span(Aa).last<kChannels>();
    }
    // Sum of the two Aa spectra in one channel, wrapping at 32 bits.
    std::uint32_t AaSum(std::size_t channel) const { return Aa[channel] + Aa[kChannels + channel]; }
};

// Derived from the spectra; the view scales with them.
struct SpectrumStatistics {
    std::uint32_t AaSumMaximum = 1;
    std::uint32_t Qv2Range = 1;
    std::uint32_t Qv2Minimum = 0;
    std::uint32_t Qv1Range = 1;
    std::uint32_t Qv1Minimum = 0;
};

SpectrumStatistics ComputeStatistics(const Measurement& m);

}  // namespace qv
