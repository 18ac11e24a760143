#include "jobs/JobClock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace qv::jobs {

namespace {

// How long a Ctrl+C may wait for a sleeping job to notice it.
constexpr std::uint64_t kSleepSliceMs = 50;

}  // namespace

JobClock::JobClock(bool skipWaits) : m_start(m_steady.GetTickCount()), m_skipWaits(skipWaits) {}

std::uint32_t JobClock::GetTickCount() {
    return m_steady.GetTickCount() - m_start + m_skipped;
}

bool JobClock::Pause(std::uint64_t ms, const std::function<bool()>& stopRequested) {
    if (m_skipWaits) {
        m_skipped += static_cast<std::uint32_t>(ms);
        return !stopRequested();
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopRequested()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        std::this_thread::sleep_for(std::chrono::milliseconds(
            std::min<std::uint64_t>(kSleepSliceMs, static_cast<std::uint64_t>(left.count()))));
    }
    return false;
}

}  // namespace qv::jobs
