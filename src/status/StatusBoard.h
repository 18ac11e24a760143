#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "document/RunLogRecord.h"
#include "status/StatusSnapshot.h"

namespace qv {

// Where the acquisition loop leaves its snapshots and the page's threads
// pick them up. The lock guards only a pointer swap and the run's history:
// snapshots are built before Publish and read after Current, outside it, so
// neither side ever waits for the other's work.
class StatusBoard {
public:
    // The captures the run log plot keeps; beyond it every second one goes,
    // so the plot still spans the whole run and memory stays bounded.
    static constexpr std::size_t kHistoryLimit = 20000;

    // Numbers the snapshot, tells from the previous one which memories
    // counted, adds the last autosave, and makes it the current one.
    void Publish(StatusSnapshot snapshot);
    // Called before the capture of that autosave is published.
    void RecordAutoSave(AutoSaveRecord record);

    // Nothing before the first capture.
    std::shared_ptr<const StatusSnapshot> Current() const;
    // The captures so far, oldest first.
    std::vector<RunLogRecord> History() const;

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const StatusSnapshot> m_current;
    std::optional<AutoSaveRecord> m_lastAutoSave;
    std::vector<RunLogRecord> m_history;
    std::uint64_t m_sequence = 0;
};

}  // namespace qv
