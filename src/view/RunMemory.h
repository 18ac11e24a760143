#pragma once

#include <optional>
#include <string>

#include "framework/SettingsStore.h"
#include "framework/Ui.h"

namespace qv {

// What an autosaving run needs to go on after qv ended without closing: the
// card keeps counting through a crash or a restart of the PC.
struct RememberedRun {
    std::string file;
    bool suspendOnSave = false;
    bool autoRefresh = false;
    bool countRateWindow = false;

    bool operator==(const RememberedRun&) const = default;
};

// The run kept in the profile while autosave is on; a clean exit or
// switching autosave off forgets it.
class RunMemory {
public:
    explicit RunMemory(SettingsStore& settings) : m_settings(settings) {}

    // Writes only what changed: the profile is rewritten on every write.
    void Remember(const RememberedRun& run);
    void Forget();
    std::optional<RememberedRun> Recall() const;

private:
    SettingsStore& m_settings;
    std::optional<RememberedRun> m_written;
};

// "qv ended while autosaving FILE. Open it and go on autosaving?"
std::string ResumeQuestion(const std::string& file);

// At start-up: the run to go on with, asked once unless withoutAsking.
// A run the operator declines is forgotten.
std::optional<RememberedRun> RunToResume(RunMemory& memory, Ui& ui, bool withoutAsking);

}  // namespace qv
