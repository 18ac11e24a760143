#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "document/CaptureReadings.h"
#include "document/RunLogRecord.h"

namespace qv {

// "NAME.qv" -> "NAME.log.csv"; any other name gets ".log.csv" added.
std::string RunLogPathBeside(const std::string& dataPath);

// Appends text to the file at path as one line: the header first when the
// file is new or empty, a line end first when its last line was torn (a power
// cut in the middle of a write). Opened, written, flushed to the disk and
// closed for every line, so a line is whole or absent. Empty, or why not.
std::string AppendRunLogLine(const std::string& path, const std::string& line);

// The run log of one document: one CSV line per capture, beside the data file
// or where the operator asked for it. A log that cannot be written never
// fails the capture; the first failure for a file is reported once.
class RunLog {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // --log FILE; nothing: beside the data file.
    void SetPath(std::optional<std::string> path) { m_path = std::move(path); }
    const std::optional<std::string>& ExplicitPath() const { return m_path; }
    // The file for a document saved at dataPath (empty: not saved yet);
    // nothing when the capture is not logged.
    std::optional<std::string> PathFor(const std::string& dataPath) const;
    // The time stamp of each line; the wall clock unless set.
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // Appends the capture's line. Returns the warning to show: empty when the
    // line was written, when there is no log, or when this file's failure has
    // already been reported.
    std::string Record(const std::string& dataPath, const CaptureReadings& readings, int result);

private:
    std::optional<std::string> m_path;
    Clock m_clock = [] { return std::chrono::system_clock::now(); };
    std::optional<std::string> m_reportedPath;  // the file whose failure was said
};

// The warning's text and caption.
std::string RunLogFailureText(const std::string& path, const std::string& reason);
inline constexpr const char* kRunLogCaption = "Run log";

}  // namespace qv
