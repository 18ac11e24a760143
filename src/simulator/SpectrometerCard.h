#pragma once

#include <cstdint>
#include <memory>

#include "simulator/AnalogueRegisters.h"
#include "simulator/AuxRegisters.h"
#include "simulator/CardHandshake.h"
#include "simulator/CardTime.h"
#include "simulator/CountRates.h"
#include "simulator/CountersTimers.h"
#include "simulator/CountingEngine.h"
#include "simulator/HighVoltageRegisters.h"
#include "simulator/ReferenceTable.h"
#include "simulator/RunControl.h"
#include "simulator/SpectrumMemories.h"
#include "simulator/SweepTiming.h"
#include "simulator/VibratorRegisters.h"

namespace qv::sim {

struct CardSettings {
    std::uint64_t seed = 1;
    std::uint32_t speedUp = 1;    // card seconds per host second
    double sourceRate = 20000.0;  // pulses per second at the detector
};

// The electronics behind the ports: registers, run control, counters and the
// counting physics. Time is caught up lazily: whenever a command arrives the
// card first lives through the host time that has passed since the last one.
class SpectrometerCard : public CardResponder {
public:
    SpectrometerCard(TickClock& clock, const CardSettings& settings);

    // CardResponder (command table in CardCommands.cpp).
    Plan Begin(std::uint8_t cmd) override;
    void Reply(std::uint8_t cmd, std::span<std::uint8_t> out) override;
    bool Execute(std::uint8_t cmd, std::span<const std::uint8_t> payload,
                 std::vector<std::uint32_t>& words) override;

    // Outside the command set: the operator's bench.
    void CatchUp();
    void SetSourceRate(double pulsesPerSecond);
    void SetLocked(bool locked) { m_locked = locked; }
    bool Locked() const { return m_locked; }
    void SetSwitch(bool on);
    void SetClearsFinish(bool finish) { m_run.SetClearsFinish(finish); }

    // For tests and tools: the memories as counted so far.
    const SpectrumMemories& Memories();
    const RunControl& Run() const { return m_run; }
    const CountersTimers& Counters() const { return m_counters; }
    const ReferenceTable& Reference() const { return m_reference; }
    const HighVoltageRegisters& HighVoltage() const { return m_highVoltage; }
    const VibratorRegisters& Vibrator() const { return m_vibrator; }
    const AuxRegisters& Aux() const { return m_aux; }
    MasterTicks Now() const { return m_now; }

private:
    void AdvanceTo(MasterTicks target);
    MasterTicks NextEvent() const;
    void Accumulate(MasterTicks ticks);
    void HandleEventsAt(MasterTicks t);
    void CompleteClears(MasterTicks t);
    void SweepBoundary();
    void Second();
    void AdvanceRamps(MasterTicks t);
    bool RampDue(MasterTicks t) const;
    std::optional<MasterTicks> NextRampStep() const;
    void CountLiveSeconds();

    // Counts what is pending with the rates in force, before they change.
    void Settle();
    void RatesChanged() { m_ratesDirty = true; }
    const CountRates& Rates();
    MasterTicks SweepPosition() const { return m_sweep.SweepPosition(m_now); }

    void WriteRunControl(std::uint8_t control0, std::uint8_t control1);
    void WriteCounters(std::span<const std::uint8_t> payload);
    void ApplyAaRun();
    void StopAa() { m_run.SetCounting(Memory::Aa, false); }

    CardTime m_time;
    MasterTicks m_now = 0;
    double m_sourceRate;
    bool m_locked = false;

    AnalogueRegisters m_analogue;
    HighVoltageRegisters m_highVoltage;
    VibratorRegisters m_vibrator;
    SweepTiming m_sweep;
    ReferenceTable m_reference;
    AuxRegisters m_aux;
    RunControl m_run;
    CountersTimers m_counters;
    SpectrumMemories m_memories;
    CountingEngine m_engine;

    std::unique_ptr<CountRates> m_rates;
    bool m_ratesDirty = true;
    MasterTicks m_lastRampStep = 0;
    std::uint32_t m_liveWhole = 0;
};

}  // namespace qv::sim
