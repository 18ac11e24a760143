#include "simulator/HighVoltageRegisters.h"

namespace qv::sim {

namespace {
constexpr int kPowerUpValue = 600;
constexpr int kPowerUpSpeed = 8;
}  // namespace

HighVoltageRegisters::HighVoltageRegisters() : m_value(kPowerUpValue, kPowerUpSpeed) {}

std::array<std::uint8_t, HighVoltageRegisters::kSize> HighVoltageRegisters::Read() const {
    const int current = m_value.Current();
    const int desired = m_value.Desired();
    return {static_cast<std::uint8_t>(current), static_cast<std::uint8_t>(0xC0 | current >> 8),
            static_cast<std::uint8_t>(desired),
            static_cast<std::uint8_t>((m_value.Speed() - 1) << 4 | desired >> 8)};
}

void HighVoltageRegisters::Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now) {
    if (!KeepsCurrent(payload[1])) {
        m_value.SetCurrent((payload[1] & 0x03) << 8 | payload[0]);
    }
    m_value.Write((payload[3] & 0x03) << 8 | payload[2], (payload[3] >> 4) + 1, now);
}

}  // namespace qv::sim
