#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/CaptureReadings.h"

namespace qv {

// One line of the run log: when a capture ran, what the card showed and how
// the capture ended. Columns, in order:
//   time, qv1_rate, qv2_rate, live_time, dead_time, dead_time_pct,
//   hv_current, hv_volts, vibrator_amplitude, qv1_cycles_done,
//   qv2_cycles_done, result
// A block the capture could not read leaves its columns empty.
struct RunLogRecord {
    std::int64_t time = 0;       // seconds since 1970-01-01 UTC
    std::int32_t utcOffset = 0;  // seconds east of UTC in force at the capture
    CaptureReadings readings;
    int result = 0;  // 0, or the number the capture returned
};

inline constexpr int kRunLogColumns = 12;

// The first line of a new run log, without the line end.
std::string RunLogHeader();
// A record stamped with the local time of `when`.
RunLogRecord StampedRecord(std::chrono::system_clock::time_point when);
// "2024-05-01T14:03:22+02:00": local time with its offset, seconds resolution.
std::string FormatLogTime(std::int64_t time, std::int32_t utcOffset);
// Dt x 100 / (Lt + Dt), 0 when both are 0.
double DeadTimePercentage(std::int32_t liveTime, std::int32_t deadTime);
// The line without its end.
std::string FormatRunLogLine(const RunLogRecord& record);

// The record of one line, or nothing with the reason in `why` (a torn or
// garbled line, the header).
std::optional<RunLogRecord> ParseRunLogLine(std::string_view line, std::string& why);

}  // namespace qv
