#include "jobs/JobProgress.h"

#include <cmath>
#include <cstdio>

#include "jobs/JobNumber.h"

namespace qv::jobs {

namespace {

// Lines [begin, end) once; i is left at end.
double WaitSeconds(const std::vector<JobLine>& lines, std::size_t begin, std::size_t end) {
    double seconds = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const JobLine& line = lines[i];
        if (line.op == "loop") {
            seconds += std::stod(line.args[0]) * WaitSeconds(lines, i + 1, line.partner);
            i = line.partner;
        } else if (line.op == "wait" && line.args[0] != "backup") {
            seconds += JobNumber(line.args[0], true, kMaxWaitSeconds).value_or(0);
        }
    }
    return seconds;
}

}  // namespace

double TotalWaitSeconds(const JobScript& script) {
    return WaitSeconds(script.lines, 0, script.lines.size());
}

std::string DurationText(double seconds) {
    if (!std::isfinite(seconds) || seconds > 1e9) {
        return "ages";
    }
    const auto whole = static_cast<long long>(std::ceil(std::max(seconds, 0.0)));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

}  // namespace qv::jobs
