#include "simulator/CountersTimers.h"

#include <algorithm>

#include "simulator/ByteFields.h"

namespace qv::sim {

namespace {

constexpr std::uint16_t kPowerUpPeriod = 600;
constexpr std::uint8_t kRestartBackup = 0x01;
// B0 bits 6..1: take the settings bytes and start values. The backup restart
// alone sends them clear, so it leaves the registers as they are.
constexpr std::uint8_t kLoadSettings = 0x7E;
constexpr std::uint8_t kWritableFlags = 0x7C;  // ULock, sources, Aa base, delta stop

enum Request : std::uint8_t {
    kSetUniversal = 0x80,
    kSetAaSeconds = 0x40,
    kSetQv2Cycles = 0x20,
    kSetQv1Cycles = 0x10,
    kZeroLiveDead = 0x08,
    kClearSwitch = 0x04,
};

std::uint32_t WholeSeconds(double seconds) {
    return static_cast<std::uint32_t>(seconds) & kMask24;
}

}  // namespace

CountersTimers::CountersTimers() : m_periodRaw(kPowerUpPeriod - 1), m_tillNearest(kPowerUpPeriod) {}

void CountersTimers::Write(std::span<const std::uint8_t, kWriteSize> b) {
    if ((b[0] & kLoadSettings) != 0) {
        LoadSettings(b);
    }
    TakeRequests(b);
    if ((b[0] & kRestartBackup) != 0) {
        m_tillNearest = m_periodRaw + 1u;
    }
}

void CountersTimers::LoadSettings(std::span<const std::uint8_t, kWriteSize> b) {
    m_flags = b[2] & kWritableFlags;
    m_periodRaw = static_cast<std::uint16_t>(GetField(b, 3, 2));
    m_aaStartRaw = GetField(b, 8, 3);
    m_qv1StartRaw = GetField(b, 11, 4);
    m_qv2StartRaw = GetField(b, 15, 4);
}

void CountersTimers::TakeRequests(std::span<const std::uint8_t, kWriteSize> b) {
    const std::uint8_t requests = b[1];
    if ((requests & kSetUniversal) != 0) {
        m_universal = GetField(b, 5, 3);
    }
    if ((requests & kSetAaSeconds) != 0) {
        m_aaCurrent = (m_aaStartRaw + 1) & kMask24;
    }
    if ((requests & kSetQv2Cycles) != 0) {
        m_qv2Current = m_qv2StartRaw + 2;
    }
    if ((requests & kSetQv1Cycles) != 0) {
        m_qv1Current = m_qv1StartRaw + 2;
    }
    if ((requests & kZeroLiveDead) != 0) {
        m_live = m_dead = 0;
    }
    if ((requests & kClearSwitch) != 0) {
        m_delta = false;
        m_sinceDelta = 0;
    }
}

std::uint8_t CountersTimers::StatusByte(bool locked) const {
    return static_cast<std::uint8_t>((locked ? 0x80 : 0) | m_flags | (m_switch ? 0x02 : 0) |
                                     (m_delta ? 0x01 : 0));
}

std::array<std::uint8_t, CountersTimers::kLiveSize> CountersTimers::LiveCounters(
    bool locked) const {
    // Offsets are B-numbers less 2: this block starts at B2.
    std::array<std::uint8_t, kLiveSize> out{};
    out[0] = StatusByte(locked);
    PutField(out, 1, 2, m_periodRaw);
    PutField(out, 3, 3, m_universal);
    PutField(out, 6, 3, (m_aaCurrent - 1) & kMask24);
    PutField(out, 9, 4, m_qv1Current - 2);
    PutField(out, 13, 4, m_qv2Current - 2);
    PutField(out, 17, 3, WholeSeconds(m_live));
    PutField(out, 20, 3, WholeSeconds(m_dead));
    return out;
}

std::array<std::uint8_t, CountersTimers::kStartsSize> CountersTimers::StartValues() const {
    // Offsets are B-numbers less 25.
    std::array<std::uint8_t, kStartsSize> out{};
    PutField(out, 0, 3, m_aaStartRaw);
    PutField(out, 3, 4, m_qv1StartRaw);
    PutField(out, 7, 4, m_qv2StartRaw);
    PutField(out, 11, 2, m_tillNearest - 1);
    PutField(out, 13, 3, m_sinceDelta);
    PutField(out, 16, 3, m_qv1Rate);
    PutField(out, 19, 3, m_qv2Rate);
    return out;
}

void CountersTimers::TickSecond() {
    m_universal = (m_universal + 1) & kMask24;
    m_sinceDelta = std::min(m_sinceDelta + 1, kMask24);
    // The countdown stays at 0 until a write restarts it.
    if (m_tillNearest > 0) {
        --m_tillNearest;
    }
}

void CountersTimers::SetRates(std::uint32_t qv1PerSecond, std::uint32_t qv2PerSecond) {
    m_qv1Rate = std::min(qv1PerSecond, kMask24);
    m_qv2Rate = std::min(qv2PerSecond, kMask24);
}

bool CountersTimers::CountAaSecond() {
    if (m_aaCurrent == 0) {
        return false;
    }
    --m_aaCurrent;
    return m_aaCurrent == 0;
}

void CountersTimers::AddLiveDead(double live, double dead) {
    m_live += live;
    m_dead += dead;
}

bool CountersTimers::CountCycle(bool qv1) {
    std::uint32_t& current = qv1 ? m_qv1Current : m_qv2Current;
    if (current == 0) {
        return false;
    }
    --current;
    return current == 0;
}

bool CountersTimers::SetSwitch(bool on) {
    if (on == m_switch) {
        return false;
    }
    m_switch = on;
    m_delta = true;
    m_sinceDelta = 0;
    return true;
}

}  // namespace qv::sim
