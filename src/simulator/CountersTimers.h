#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv::sim {

// The general counters and timers: universal time, the backup countdown, the
// analyser's live and dead time and its seconds-to-stop counter, the cycle
// counters of the two Qv memories, the pulse rates and the switch. On the wire
// the analyser counter travels as value - 1 and the cycle counters as value - 2.
class CountersTimers {
public:
    static constexpr std::size_t kWriteSize = 25;   // B0..B24
    static constexpr std::size_t kLiveSize = 23;    // B2..B24
    static constexpr std::size_t kStartsSize = 22;  // B25..B46
    static constexpr std::uint8_t kULock = 0x40;

    CountersTimers();

    void Write(std::span<const std::uint8_t, kWriteSize> b);
    std::array<std::uint8_t, kLiveSize> LiveCounters(bool locked) const;
    std::array<std::uint8_t, kStartsSize> StartValues() const;
    std::uint8_t StatusByte(bool locked) const;

    bool ULock() const { return (m_flags & kULock) != 0; }
    // Pulse sources: Qv1 1 = local detector, Qv2 1 = laser; 0 = aux detector.
    bool Qv1Local() const { return (m_flags & 0x10) != 0; }
    bool Qv2Laser() const { return (m_flags & 0x20) != 0; }
    bool AaStopsOnLiveTime() const { return (m_flags & 0x08) != 0; }
    bool DeltaStopsCounting() const { return (m_flags & 0x04) != 0; }

    // Once per second of universal time.
    void TickSecond();
    void SetRates(std::uint32_t qv1PerSecond, std::uint32_t qv2PerSecond);
    // One second of the analyser's stop time base has passed while it counts;
    // true when the counter has just run out.
    bool CountAaSecond();
    bool AaSecondsLeft() const { return m_aaCurrent != 0; }
    void AddLiveDead(double live, double dead);
    double LiveSeconds() const { return m_live; }
    // A completed sweep of a counting Qv memory; true when its cycles ran out.
    bool CountCycle(bool qv1);
    bool CyclesLeft(bool qv1) const { return (qv1 ? m_qv1Current : m_qv2Current) != 0; }

    // The external switch; a change raises the delta flag. True when it did.
    bool SetSwitch(bool on);

private:
    void LoadSettings(std::span<const std::uint8_t, kWriteSize> b);
    void TakeRequests(std::span<const std::uint8_t, kWriteSize> b);

    std::uint8_t m_flags = 0x30;  // both Qv sources 1
    bool m_switch = false;
    bool m_delta = false;
    std::uint16_t m_periodRaw;    // backup period - 1
    std::uint32_t m_tillNearest;  // seconds till the next backup
    std::uint32_t m_universal = 0;
    std::uint32_t m_aaStartRaw = 0xFFFFFE;  // start - 1
    std::uint32_t m_aaCurrent = 0xFFFFFF;
    std::uint32_t m_qv1StartRaw = 0xFFFFFFFD;  // start - 2
    std::uint32_t m_qv2StartRaw = 0xFFFFFFFD;
    std::uint32_t m_qv1Current = 0xFFFFFFFF;
    std::uint32_t m_qv2Current = 0xFFFFFFFF;
    std::uint32_t m_sinceDelta = 0;
    std::uint32_t m_qv1Rate = 0;
    std::uint32_t m_qv2Rate = 0;
    double m_live = 0;
    double m_dead = 0;
};

}  // namespace qv::sim
