#include "simulator/CountingEngine.h"

#include <algorithm>
#include <cmath>

namespace qv::sim {

namespace {

// Ticks that sweep position s has spent in each channel since position 0:
// the whole sweeps, and the part of the current one. Split once per position,
// not once per channel.
class Dwell {
public:
    Dwell(MasterTicks s, const SweepTiming& sweep)
        : m_width(sweep.ChannelTicks()),
          m_sweeps(s / sweep.Period() * m_width),
          m_inSweep(s % sweep.Period()) {}
    MasterTicks In(MasterTicks c) const {
        return m_sweeps + std::clamp<MasterTicks>(m_inSweep - c * m_width, 0, m_width);
    }

private:
    MasterTicks m_width;
    MasterTicks m_sweeps;
    MasterTicks m_inSweep;
};

std::array<std::uint32_t, kQvChannels>& QvMemory(Memory m, SpectrumMemories& memories) {
    return m == Memory::Qv1 ? memories.qv1 : memories.qv2;
}

}  // namespace

void CountingEngine::OpenQv(Memory m, MasterTicks position) {
    m_qv[static_cast<int>(m)] = {true, position};
}

void CountingEngine::CloseQv(Memory m, MasterTicks position, const CountRates& rates,
                             const SweepTiming& sweep, SpectrumMemories& memories) {
    CountQv(m, position, rates, sweep, memories);
    m_qv[static_cast<int>(m)].open = false;
}

void CountingEngine::Flush(MasterTicks position, const CountRates& rates, const SweepTiming& sweep,
                           SpectrumMemories& memories) {
    CountQv(Memory::Qv2, position, rates, sweep, memories);
    CountQv(Memory::Qv1, position, rates, sweep, memories);
    CountAa(rates, memories);
}

void CountingEngine::Discard(Memory m, MasterTicks position) {
    if (m == Memory::Aa) {
        m_aaSeconds = 0;
    } else {
        m_qv[static_cast<int>(m)].from = position;
    }
}

void CountingEngine::Rebase() {
    for (QvWindow& w : m_qv) {
        w.from = 0;
    }
}

void CountingEngine::CountQv(Memory m, MasterTicks to, const CountRates& rates,
                             const SweepTiming& sweep, SpectrumMemories& memories) {
    QvWindow& window = m_qv[static_cast<int>(m)];
    if (!window.open || to <= window.from) {
        return;
    }
    const bool qv1 = m == Memory::Qv1;
    const auto& rate = qv1 ? rates.qv1 : rates.qv2;
    const bool counted = !qv1 && rates.qv2Fringes;
    auto& memory = QvMemory(m, memories);
    const Dwell until(to, sweep);
    const Dwell since(window.from, sweep);
    for (std::size_t c = 0; c < kQvChannels; ++c) {
        const auto channel = static_cast<MasterTicks>(c);
        const MasterTicks ticks = until.In(channel) - since.In(channel);
        const double mean = rate[c] * static_cast<double>(ticks) / kTicksPerSecond;
        memory[c] += Draw(mean, counted, m_fringeCarry[c]);
    }
    window.from = to;
}

void CountingEngine::CountAa(const CountRates& rates, SpectrumMemories& memories) {
    if (m_aaSeconds <= 0) {
        return;
    }
    for (std::size_t c = 0; c < memories.aa.size(); ++c) {
        memories.aa[c] += m_random.Poisson(rates.aa[c] * m_aaSeconds);
    }
    m_aaSeconds = 0;
}

std::uint32_t CountingEngine::DrawSecond(double mean, bool counted) {
    return Draw(mean, counted, m_rateCarry);
}

// Fringes are counted, not random: the fraction left over carries to the next
// draw so nothing is lost.
std::uint32_t CountingEngine::Draw(double mean, bool counted, double& carry) {
    if (!counted) {
        return m_random.Poisson(mean);
    }
    const double total = mean + carry;
    const double whole = std::floor(total);
    carry = total - whole;
    return static_cast<std::uint32_t>(whole);
}

}  // namespace qv::sim
