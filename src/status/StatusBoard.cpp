#include "status/StatusBoard.h"

#include <utility>

namespace qv {

namespace {

CountingState Moved(bool moved) {
    return moved ? CountingState::Counting : CountingState::Stopped;
}

std::optional<std::int32_t> LiveTime(const StatusSnapshot& s) {
    if (!s.capture.readings.counters) {
        return std::nullopt;
    }
    return s.capture.readings.counters->AaLiveTime;
}

// A memory that was cleared also "moved": its counts changed.
void CompareWithPrevious(StatusSnapshot& now, const StatusSnapshot& before) {
    const auto& c = now.capture.readings.counters;
    const auto& p = before.capture.readings.counters;
    const bool cycles = c && p;
    now.qv2 =
        Moved(now.qv2Total != before.qv2Total || (cycles && c->Qv2CyclesDone != p->Qv2CyclesDone));
    now.qv1 =
        Moved(now.qv1Total != before.qv1Total || (cycles && c->Qv1CyclesDone != p->Qv1CyclesDone));
    const auto live = LiveTime(now), liveBefore = LiveTime(before);
    now.aa = Moved(now.aaTotal != before.aaTotal || (live && liveBefore && *live != *liveBefore));
}

void Thin(std::vector<RunLogRecord>& history) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < history.size(); i += 2) {
        history[kept++] = history[i];
    }
    history.resize(kept);
}

}  // namespace

void StatusBoard::Publish(StatusSnapshot snapshot) {
    std::shared_ptr<const StatusSnapshot> previous = Current();
    if (previous) {
        CompareWithPrevious(snapshot, *previous);
    }
    auto next = std::make_shared<StatusSnapshot>(std::move(snapshot));
    std::shared_ptr<const StatusSnapshot> replaced;
    {
        std::lock_guard lock(m_mutex);
        next->sequence = ++m_sequence;
        next->lastAutoSave = m_lastAutoSave;
        if (m_history.size() >= kHistoryLimit) {
            Thin(m_history);
        }
        m_history.push_back(next->capture);
        replaced = std::exchange(m_current, std::move(next));
    }
    // The old snapshot goes when its last reader lets go of it, never under the lock.
}

void StatusBoard::RecordAutoSave(AutoSaveRecord record) {
    std::lock_guard lock(m_mutex);
    m_lastAutoSave = std::move(record);
}

std::shared_ptr<const StatusSnapshot> StatusBoard::Current() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

std::vector<RunLogRecord> StatusBoard::History() const {
    std::lock_guard lock(m_mutex);
    return m_history;
}

}  // namespace qv
