#pragma once

#include <cstdint>

namespace qv {

// Millisecond tick counter that wraps at 32 bits, like GetTickCount.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t GetTickCount() = 0;
};

// The machine's monotonic clock, in the system timer's steps of a few
// milliseconds, like GetTickCount.
class SteadyTickClock : public TickClock {
public:
    std::uint32_t GetTickCount() override;
};

// A clock that only moves when told to.
class ManualTickClock : public TickClock {
public:
    explicit ManualTickClock(std::uint32_t start = 0) : m_now(start) {}
    std::uint32_t GetTickCount() override { return m_now; }
    void Advance(std::uint32_t ms) { m_now += ms; }
    void Set(std::uint32_t now) { m_now = now; }

private:
    std::uint32_t m_now;
};

// A clock that advances by a step on every reading, so busy waits end in tests.
class SteppingTickClock : public TickClock {
public:
    explicit SteppingTickClock(std::uint32_t step = 1, std::uint32_t start = 0)
        : m_now(start), m_step(step) {}
    std::uint32_t GetTickCount() override {
        const std::uint32_t now = m_now;
        m_now += m_step;
        return now;
    }
    void Set(std::uint32_t now) { m_now = now; }

private:
    std::uint32_t m_now;
    std::uint32_t m_step;
};

}  // namespace qv
