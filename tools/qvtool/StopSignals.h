#pragma once

namespace qv::tool {

// Ctrl+C (SIGINT) and SIGTERM while a job runs: the handler only raises a
// flag, which the job looks at between operations and inside waits, so a
// transfer or a save is never cut off. The previous handlers come back when
// the object goes.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool Requested();
    // The signal that asked for the stop, 0 while none has.
    static int Signal();
};

}  // namespace qv::tool
