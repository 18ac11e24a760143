#include "document/RunLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <span>

#include "framework/WriteAll.h"

namespace qv {

namespace {

constexpr std::string_view kDataExtension = ".qv";
constexpr const char* kLogExtension = ".log.csv";

// NAME.qv or NAME.QV (any case), with a name before it.
bool EndsWithDataExtension(const std::string& path) {
    if (path.size() <= kDataExtension.size()) {
        return false;
    }
    const std::string_view tail =
        std::string_view(path).substr(path.size() - kDataExtension.size());
    return std::equal(tail.begin(), tail.end(), kDataExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// Closes on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // The close's own result: a delayed write error shows here.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string Reason() {
    return std::strerror(errno);
}

// What goes before the line: the header for a new file, a line end after a
// torn last line.
bool Lead(int fd, std::string& text) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    if (info.st_size == 0) {
        text = RunLogHeader() + '\n';
        return true;
    }
    char last = '\n';
    if (::pread(fd, &last, 1, info.st_size - 1) != 1) {
        return false;
    }
    if (last != '\n') {
        text.push_back('\n');
    }
    return true;
}

}  // namespace

std::string RunLogPathBeside(const std::string& dataPath) {
    if (EndsWithDataExtension(dataPath)) {
        return dataPath.substr(0, dataPath.size() - kDataExtension.size()) + kLogExtension;
    }
    return dataPath + kLogExtension;
}

std::string AppendRunLogLine(const std::string& path, const std::string& line) {
    FileDescriptor file(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.Get() < 0) {
        return Reason();
    }
    std::string text;
    if (!Lead(file.Get(), text)) {
        return Reason();
    }
    text += line;
    text += '\n';
    // One write for the whole text: the header never stands without its line.
    std::string error = WriteAll(file.Get(), std::as_bytes(std::span(text)));
    if (error.empty() && ::fdatasync(file.Get()) != 0) {
        error = Reason();
    }
    if (error.empty() && !file.Close()) {
        error = Reason();
    }
    return error;
}

std::optional<std::string> RunLog::PathFor(const std::string& dataPath) const {
    if (m_path) {
        return m_path;
    }
    if (dataPath.empty()) {
        return std::nullopt;
    }
    return RunLogPathBeside(dataPath);
}

std::string RunLog::Record(const std::string& dataPath, const CaptureReadings& readings,
                           int result) {
    const std::optional<std::string> path = PathFor(dataPath);
    if (!path) {
        return {};
    }
    RunLogRecord record = StampedRecord(m_clock());
    record.readings = readings;
    record.result = result;
    const std::string reason = AppendRunLogLine(*path, FormatRunLogLine(record));
    if (reason.empty() || m_reportedPath == path) {
        return {};
    }
    m_reportedPath = path;
    return RunLogFailureText(*path, reason);
}

std::string RunLogFailureText(const std::string& path, const std::string& reason) {
    return "The run log " + path + " cannot be written (" + reason +
           ").\nCapturing goes on without it; this is not said again for this file.";
}

}  // namespace qv
