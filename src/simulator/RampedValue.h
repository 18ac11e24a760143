#pragma once

#include <cstdint>
#include <optional>

#include "simulator/CardTime.h"

namespace qv::sim {

// A register whose current value walks one step toward the desired value
// every speed x 5 ms; speed 16 jumps at once. Used by the high voltage and the
// vibrator's gain, amplitude and bias.
class RampedValue {
public:
    static constexpr int kImmediateSpeed = 16;
    static constexpr MasterTicks kStepUnit = 5 * kTicksPerMs;

    RampedValue(int value, int speed) : m_current(value), m_desired(value), m_speed(speed) {}

    int Current() const { return m_current; }
    int Desired() const { return m_desired; }
    int Speed() const { return m_speed; }

    void SetCurrent(int value) { m_current = value; }
    // A new target from a register write at 'now'; the step timer restarts.
    void Write(int desired, int speed, MasterTicks now);

    bool Settled() const { return m_current == m_desired; }
    // When the next step falls due; nothing while settled.
    std::optional<MasterTicks> NextStep() const;
    // Takes every step due by 'now'; true when the current value moved.
    bool AdvanceTo(MasterTicks now);

private:
    MasterTicks StepTicks() const { return m_speed * kStepUnit; }

    int m_current;
    int m_desired;
    int m_speed;
    MasterTicks m_lastStep = 0;
};

// In a ramped register's write, the current value is taken only when the two
// "keep" bits 7..6 of its high byte are not both set; the program always sets them.
inline bool KeepsCurrent(std::uint8_t highByte) {
    return (highByte & 0xC0) == 0xC0;
}

}  // namespace qv::sim
