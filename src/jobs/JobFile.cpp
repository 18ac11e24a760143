#include "jobs/JobFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/FileKind.h"
#include "jobs/JobScript.h"

namespace qv::jobs {

namespace {

// Far more than the longest job anyone writes by hand or by script; a larger
// file is not a job and would be read whole before that shows.
constexpr std::uintmax_t kMaxJobFileBytes = 4 * 1024 * 1024;

}  // namespace

JobFileReading ReadJobFile(const std::string& path) {
    // Checked before the open, which would already block on a FIFO.
    const std::string why = UnreadableFileReason(path, kMaxJobFileBytes);
    std::ifstream in;
    if (why.empty()) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        return {{}, "cannot read the job file " + path + (why.empty() ? "" : ": " + why)};
    }
    return {SplitJobText({std::istreambuf_iterator<char>(in), {}}), {}};
}

std::string JobRunLogPath(const std::string& path) {
    return std::filesystem::path(path).replace_extension(".log.csv").string();
}

std::string JobName(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

}  // namespace qv::jobs
