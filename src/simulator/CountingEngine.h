#pragma once

#include <array>
#include <cstdint>

#include "simulator/CountRates.h"
#include "simulator/RandomSource.h"
#include "simulator/RunControl.h"
#include "simulator/SpectrumMemories.h"
#include "simulator/SweepTiming.h"

namespace qv::sim {

// Turns counting time into counts. Instead of following pulses one by one it
// keeps, per memory, the exposure not yet counted (a stretch of sweep for a Qv
// memory, seconds for the analyser) and draws each channel's counts as one
// Poisson number when the rates are about to change or the memory is looked
// at. Sums of Poisson numbers are Poisson, so the result is the same.
class CountingEngine {
public:
    explicit CountingEngine(std::uint64_t seed) : m_random(seed) {}

    // A Qv memory starts or stops counting at a sweep position (ticks since
    // the sweep origin).
    void OpenQv(Memory m, MasterTicks position);
    void CloseQv(Memory m, MasterTicks position, const CountRates& rates, const SweepTiming& sweep,
                 SpectrumMemories& memories);
    void AddAaSeconds(double seconds) { m_aaSeconds += seconds; }

    // Counts everything pending up to 'position' with the given rates.
    void Flush(MasterTicks position, const CountRates& rates, const SweepTiming& sweep,
               SpectrumMemories& memories);
    // Drops a memory's pending exposure (the memory is being cleared).
    void Discard(Memory m, MasterTicks position);
    // The sweep starts over at position 0 (new dividers).
    void Rebase();

    // A count over one second at the given mean, for the rate registers.
    std::uint32_t DrawSecond(double mean, bool counted);

private:
    struct QvWindow {
        bool open = false;
        MasterTicks from = 0;
    };
    void CountQv(Memory m, MasterTicks to, const CountRates& rates, const SweepTiming& sweep,
                 SpectrumMemories& memories);
    void CountAa(const CountRates& rates, SpectrumMemories& memories);
    std::uint32_t Draw(double mean, bool counted, double& carry);

    RandomSource m_random;
    std::array<QvWindow, 2> m_qv{};  // Qv2, Qv1
    double m_aaSeconds = 0;
    std::array<double, kQvChannels> m_fringeCarry{};
    double m_rateCarry = 0;
};

}  // namespace qv::sim
