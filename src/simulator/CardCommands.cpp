// The command table: what the card does with each command code.
#include <algorithm>

#include "hardware/CommandCodes.h"
#include "simulator/SpectrometerCard.h"

namespace qv::sim {

namespace {

using Direction = CardResponder::Direction;

constexpr std::uint8_t kReadoutBits = 0xF0;  // never set in a run-control pair
constexpr std::uint8_t kAaGo = 0x08;

CardResponder::Plan PlanOf(std::uint8_t cmd) {
    switch (cmd) {
        case kCmdReadRunState:
            return {Direction::Read, kRunStateLength};
        case kCmdWriteRunControl:
            return {Direction::Write, kRunControlLength};
        case kCmdReadStatus:
            // The status byte and the live counters; a reader of the status
            // byte alone simply sends its next command.
            return {Direction::Read, kLiveCountersLength};
        case kCmdWriteCounters:
            return {Direction::Write, kCountersWriteLength};
        case kCmdReadCounterStarts:
            return {Direction::Read, kCounterStartsLength};
        case kCmdReadAnalogue:
            return {Direction::Read, kAnalogueReadLength};
        case kCmdWriteAnalogue:
            return {Direction::Write, kAnalogueWriteLength};
        case kCmdReadHighVoltage:
            return {Direction::Read, kHighVoltageLength};
        case kCmdWriteHighVoltage:
            return {Direction::Write, kHighVoltageLength};
        case kCmdReadVibrator:
            return {Direction::Read, kVibratorLength};
        case kCmdWriteVibrator:
            return {Direction::Write, kVibratorLength};
        case kCmdReadDividers:
            return {Direction::Read, kDividersLength};
        case kCmdWriteDividers:
            return {Direction::Write, kDividersLength};
        case kCmdWriteReference:
            return {Direction::Write, kReferenceLength};
        case kCmdLockCheck:
            return {Direction::Read, 0};
        case kCmdReadAux:
            return {Direction::Read, kAuxLength};
        case kCmdWriteAux:
            return {Direction::Write, kAuxLength};
        case kCmdReadDac:
            return {Direction::Read, kDacLength};
        case kCmdWriteDac:
            return {Direction::Write, kDacLength};
        default:
            return {};
    }
}

template <typename Bytes>
void CopyOut(const Bytes& bytes, std::span<std::uint8_t> out) {
    std::copy_n(bytes.begin(), out.size(), out.begin());
}

template <std::size_t N>
std::span<const std::uint8_t, N> Fixed(std::span<const std::uint8_t> payload) {
    return payload.first<N>();
}

}  // namespace

CardResponder::Plan SpectrometerCard::Begin(std::uint8_t cmd) {
    CatchUp();
    if (cmd == kCmdReadHighVoltage || cmd == kCmdReadVibrator) {
        // The counting physics follows a ramp coarsely; its read-back is exact.
        if (m_nextRamp && *m_nextRamp <= m_now) {
            AdvanceRamps(m_now);
        }
    }
    return PlanOf(cmd);
}

void SpectrometerCard::Reply(std::uint8_t cmd, std::span<std::uint8_t> out) {
    switch (cmd) {
        case kCmdReadRunState:
            CopyOut(m_run.State(), out);
            break;
        case kCmdReadStatus:
            CopyOut(m_counters.LiveCounters(m_locked), out);
            break;
        case kCmdReadCounterStarts:
            CopyOut(m_counters.StartValues(), out);
            break;
        case kCmdReadAnalogue:
            CopyOut(m_analogue.Bytes(), out);
            break;
        case kCmdReadHighVoltage:
            CopyOut(m_highVoltage.Read(), out);
            break;
        case kCmdReadVibrator:
            CopyOut(m_vibrator.Read(), out);
            break;
        case kCmdReadDividers:
            CopyOut(m_sweep.Read(), out);
            break;
        case kCmdReadAux:
            CopyOut(m_aux.aux, out);
            break;
        case kCmdReadDac:
            out[0] = m_aux.dac;
            break;
        default:
            break;
    }
}

bool SpectrometerCard::Execute(std::uint8_t cmd, std::span<const std::uint8_t> payload,
                               std::vector<std::uint32_t>& words) {
    CatchUp();
    switch (cmd) {
        case kCmdWriteRunControl:
            if ((payload[1] & kReadoutBits) != 0) {
                Settle();
                m_memories.Readout(payload[1], words);
                return true;
            }
            WriteRunControl(payload[0], payload[1]);
            break;
        case kCmdWriteCounters:
            WriteCounters(payload);
            break;
        case kCmdWriteAnalogue:
            Settle();
            m_analogue.Write(Fixed<AnalogueRegisters::kWriteSize>(payload));
            RatesChanged();
            break;
        case kCmdWriteHighVoltage:
            Settle();
            m_highVoltage.Write(Fixed<HighVoltageRegisters::kSize>(payload), m_now);
            m_nextRamp = NextRampStep();
            RatesChanged();
            break;
        case kCmdWriteVibrator:
            Settle();
            m_vibrator.Write(Fixed<VibratorRegisters::kSize>(payload), m_now);
            m_nextRamp = NextRampStep();
            RatesChanged();
            break;
        case kCmdWriteDividers:
            Settle();
            m_sweep.Write(Fixed<SweepTiming::kSize>(payload), m_now);
            m_nextSweep = m_sweep.NextBoundary(m_now);
            m_engine.Rebase();
            break;
        case kCmdWriteReference:
            Settle();
            m_reference.Write(Fixed<ReferenceTable::kWireSize>(payload));
            RatesChanged();
            break;
        case kCmdWriteAux:
            std::copy_n(payload.begin(), m_aux.aux.size(), m_aux.aux.begin());
            break;
        case kCmdWriteDac:
            m_aux.dac = payload[0];
            break;
        default:
            break;
    }
    return false;
}

// The front-panel key freezes run control unless the card was unlocked.
void SpectrometerCard::WriteRunControl(std::uint8_t control0, std::uint8_t control1) {
    if (m_locked && !m_counters.ULock()) {
        return;
    }
    std::array<bool, 3> wasClearing{};
    for (Memory m : kMemories) {
        wasClearing[static_cast<int>(m)] = m_run.Clearing(m);
    }
    m_run.Write(control0, control1, m_now);
    m_nextClear = m_run.NextClearCompletion();
    for (Memory m : kMemories) {
        if (m_run.Clearing(m) && !wasClearing[static_cast<int>(m)]) {
            m_memories.Clear(m);
            m_engine.Discard(m, SweepPosition());
        }
    }
    if ((control1 & kAaGo) != 0) {
        ApplyAaRun();
    }
}

void SpectrometerCard::ApplyAaRun() {
    m_run.SetCounting(Memory::Aa, m_run.Enabled(Memory::Aa) && m_counters.AaSecondsLeft());
}

void SpectrometerCard::WriteCounters(std::span<const std::uint8_t> payload) {
    Settle();  // the pulse sources may change
    const SourceSelection before{m_counters.Qv1Local(), m_counters.Qv2Laser()};
    m_counters.Write(Fixed<CountersTimers::kWriteSize>(payload));
    m_liveWhole = static_cast<std::uint32_t>(m_counters.LiveSeconds());
    // Recomposing the rates is the costly part of a write; most writes (and
    // every backup restart) leave the sources alone.
    if (before.qv1Local != m_counters.Qv1Local() || before.qv2Laser != m_counters.Qv2Laser()) {
        RatesChanged();
    }
}

}  // namespace qv::sim
