#include "simulator/VibratorRegisters.h"

namespace qv::sim {

namespace {

constexpr int kPowerUpGain = 512;
constexpr int kPowerUpAmplitude = 80;  // about 8.5 mm/s in the high range
constexpr int kPowerUpSpeed = 8;
constexpr std::uint8_t kHighRangeBit = 0x04;

// Four bytes of one ramped register: current low, keep bits + current high,
// desired low, speed nibble + desired high. highMask is 0x03 for the 10-bit
// values and 0x0F for the 12-bit bias.
void PutRamp(std::span<std::uint8_t, 4> out, const RampedValue& ramp, int highMask) {
    out[0] = static_cast<std::uint8_t>(ramp.Current());
    out[1] = static_cast<std::uint8_t>(0xC0 | (ramp.Current() >> 8 & highMask));
    out[2] = static_cast<std::uint8_t>(ramp.Desired());
    out[3] = static_cast<std::uint8_t>((ramp.Speed() - 1) << 4 | (ramp.Desired() >> 8 & highMask));
}

void TakeRamp(std::span<const std::uint8_t, 4> in, RampedValue& ramp, int highMask,
              MasterTicks now) {
    if (!KeepsCurrent(in[1])) {
        ramp.SetCurrent((in[1] & highMask) << 8 | in[0]);
    }
    ramp.Write((in[3] & highMask) << 8 | in[2], (in[3] >> 4) + 1, now);
}

}  // namespace

VibratorRegisters::VibratorRegisters()
    : m_gain(kPowerUpGain, kPowerUpSpeed),
      m_amplitude(kPowerUpAmplitude, kPowerUpSpeed),
      m_bias(kBiasOffset, kPowerUpSpeed) {}

std::array<std::uint8_t, VibratorRegisters::kSize> VibratorRegisters::Read() const {
    std::array<std::uint8_t, kSize> r{};
    PutRamp(std::span(r).subspan<0, 4>(), m_gain, 0x03);
    PutRamp(std::span(r).subspan<4, 4>(), m_amplitude, 0x03);
    PutRamp(std::span(r).subspan<8, 4>(), m_bias, 0x0F);
    if (m_highRange) {
        r[7] |= kHighRangeBit;
    }
    return r;
}

void VibratorRegisters::Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now) {
    TakeRamp(payload.subspan<0, 4>(), m_gain, 0x03, now);
    TakeRamp(payload.subspan<4, 4>(), m_amplitude, 0x03, now);
    TakeRamp(payload.subspan<8, 4>(), m_bias, 0x0F, now);
    m_highRange = (payload[7] & kHighRangeBit) != 0;
}

}  // namespace qv::sim
