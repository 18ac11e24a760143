#include "simulator/SpectrometerCard.h"

#include <algorithm>
#include <cmath>

namespace qv::sim {

namespace {
// While a ramp runs the rates are brought up to date at most this often.
constexpr MasterTicks kRampRefresh = 50 * kTicksPerMs;
}  // namespace

SpectrometerCard::SpectrometerCard(TickClock& clock, const CardSettings& settings)
    : m_time(clock, settings.speedUp),
      m_sourceRate(settings.sourceRate),
      m_engine(settings.seed),
      m_rates(std::make_unique<CountRates>()),
      m_nextSweep(m_sweep.NextBoundary(m_now)),
      m_nextRamp(NextRampStep()) {}

void SpectrometerCard::CatchUp() {
    AdvanceTo(m_time.Now());
}

void SpectrometerCard::SetSourceRate(double pulsesPerSecond) {
    CatchUp();
    Settle();
    m_sourceRate = std::max(pulsesPerSecond, 0.0);
    RatesChanged();
}

void SpectrometerCard::SetClearsFinish(bool finish) {
    m_run.SetClearsFinish(finish);
    m_nextClear = m_run.NextClearCompletion();
}

void SpectrometerCard::SetSwitch(bool on) {
    CatchUp();
    if (!m_counters.SetSwitch(on) || !m_counters.DeltaStopsCounting()) {
        return;
    }
    // The Qv memories finish their sweep; the analyser stops at once.
    for (Memory m : kMemories) {
        m_run.Disable(m);
    }
    StopAa();
}

const SpectrumMemories& SpectrometerCard::Memories() {
    CatchUp();
    Settle();
    return m_memories;
}

void SpectrometerCard::AdvanceTo(MasterTicks target) {
    while (m_now < target) {
        const MasterTicks end = std::min(target, NextEvent());
        Accumulate(end - m_now);
        m_now = end;
        HandleEventsAt(m_now);
    }
}

MasterTicks SpectrometerCard::NextEvent() const {
    MasterTicks next = std::min(m_nextSecond, m_nextSweep);
    if (m_nextClear) {
        next = std::min(next, std::max(*m_nextClear, m_now + 1));
    }
    if (m_nextRamp) {
        next = std::min(next, std::max({*m_nextRamp, m_lastRampStep + kRampRefresh, m_now + 1}));
    }
    return next;
}

void SpectrometerCard::Accumulate(MasterTicks ticks) {
    if (!m_run.Counting(Memory::Aa)) {
        return;
    }
    const double seconds = static_cast<double>(ticks) / kTicksPerSecond;
    const double live = seconds * Rates().liveFraction;
    m_engine.AddAaSeconds(seconds);
    m_counters.AddLiveDead(live, seconds - live);
    if (m_counters.AaStopsOnLiveTime()) {
        CountLiveSeconds();
    }
}

// The analyser's stop counter on the live-time base: one count per whole live
// second. Exact to a tick or so, since live time grows smoothly.
void SpectrometerCard::CountLiveSeconds() {
    const auto whole = static_cast<std::uint32_t>(m_counters.LiveSeconds());
    for (; m_liveWhole < whole; ++m_liveWhole) {
        if (m_counters.CountAaSecond()) {
            StopAa();
            m_liveWhole = whole;
            break;
        }
    }
}

void SpectrometerCard::HandleEventsAt(MasterTicks t) {
    if (m_nextClear && *m_nextClear <= t) {
        CompleteClears(t);
    }
    if (t == m_nextSweep) {
        m_nextSweep += m_sweep.Period();
        SweepBoundary();
    }
    if (t == m_nextSecond) {
        m_nextSecond += kTicksPerSecond;
        Second();
    }
    if (RampDue(t)) {
        AdvanceRamps(t);
    }
}

void SpectrometerCard::CompleteClears(MasterTicks t) {
    const auto done = m_run.CompleteClears(t);
    for (Memory m : kMemories) {
        if (done[static_cast<int>(m)]) {
            m_memories.Clear(m);
            m_engine.Discard(m, SweepPosition());
        }
    }
    m_nextClear = m_run.NextClearCompletion();
}

// Qv memories start, stop and count their cycles only here, so every channel
// of a memory has seen the same number of sweeps.
void SpectrometerCard::SweepBoundary() {
    for (Memory m : {Memory::Qv2, Memory::Qv1}) {
        const bool qv1 = m == Memory::Qv1;
        const bool counting = m_run.Counting(m);
        if (counting) {
            m_counters.CountCycle(qv1);
        }
        const bool wanted = m_run.Enabled(m) && m_counters.CyclesLeft(qv1);
        if (counting && !wanted) {
            m_engine.CloseQv(m, SweepPosition(), Rates(), m_sweep, m_memories);
        } else if (!counting && wanted) {
            m_engine.OpenQv(m, SweepPosition());
        }
        m_run.SetCounting(m, wanted);
    }
}

void SpectrometerCard::Second() {
    m_counters.TickSecond();
    const CountRates& rates = Rates();
    const std::uint32_t qv1 = m_engine.DrawSecond(rates.qv1Mean, false);
    const std::uint32_t qv2 = m_engine.DrawSecond(rates.qv2Mean, rates.qv2Fringes);
    m_counters.SetRates(qv1, qv2);
    if (m_run.Counting(Memory::Aa) && !m_counters.AaStopsOnLiveTime() &&
        m_counters.CountAaSecond()) {
        StopAa();
    }
}

std::optional<MasterTicks> SpectrometerCard::NextRampStep() const {
    std::optional<MasterTicks> next;
    for (const RampedValue* ramp :
         {&m_highVoltage.Ramp(), &m_vibrator.Gain(), &m_vibrator.Amplitude(), &m_vibrator.Bias()}) {
        if (const auto step = ramp->NextStep(); step && (!next || *step < *next)) {
            next = step;
        }
    }
    return next;
}

bool SpectrometerCard::RampDue(MasterTicks t) const {
    return m_nextRamp && *m_nextRamp <= t && t >= m_lastRampStep + kRampRefresh;
}

void SpectrometerCard::AdvanceRamps(MasterTicks t) {
    Settle();
    m_highVoltage.Ramp().AdvanceTo(t);
    m_vibrator.Gain().AdvanceTo(t);
    m_vibrator.Amplitude().AdvanceTo(t);
    m_vibrator.Bias().AdvanceTo(t);
    m_lastRampStep = t;
    m_nextRamp = NextRampStep();
    RatesChanged();
}

void SpectrometerCard::Settle() {
    m_engine.Flush(SweepPosition(), Rates(), m_sweep, m_memories);
}

void SpectrometerCard::RecomposeRates() {
    const PulseHeights pulses =
        ComputePulseHeights(m_analogue, m_highVoltage.Ramp().Current(), m_sourceRate);
    const ChannelVelocities velocities = ComputeVelocities(m_reference, m_vibrator);
    const SourceSelection sources{m_counters.Qv1Local(), m_counters.Qv2Laser()};
    *m_rates = ComposeRates(pulses, m_analogue, velocities, sources, m_sourceRate);
    m_ratesDirty = false;
}

}  // namespace qv::sim
