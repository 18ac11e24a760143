#include "jobs/JobRunner.h"

#include "jobs/JobNumber.h"
#include "jobs/JobSubstitution.h"
#include "jobs/JobUi.h"
#include "jobs/JsonText.h"

namespace qv::jobs {

namespace {

std::string Plain(const nlohmann::ordered_json& value) {
    return value.is_string() ? value.get<std::string>() : JsonText(value);
}

}  // namespace

int JobRunner::Run(const JobScript& script) {
    if (!script.error.empty()) {
        m_err << m_prefix << script.error << '\n';
        return kJobNotRun;
    }
    m_progress.jobWaitLeft = TotalWaitSeconds(script);
    m_context.waiting = [this](double secondsLeft) {
        if (m_sink) {
            JobProgress shown = m_progress;
            shown.waitLeft = secondsLeft;
            shown.jobWaitLeft -= m_runningWait - secondsLeft;
            m_sink(shown);
        }
    };
    RunLines(script.lines, 0, script.lines.size(), 0);
    if (m_status == kJobStopped) {
        m_err << m_prefix << "stopped after line " << m_lastLine << '\n';
    }
    return m_status;
}

bool JobRunner::RunLines(const std::vector<JobLine>& lines, std::size_t begin, std::size_t end,
                         long long counter) {
    for (std::size_t i = begin; i < end; ++i) {
        if (m_context.stopRequested()) {
            m_status = kJobStopped;
            return false;
        }
        if (lines[i].op == "loop") {
            if (!RunLoop(lines, i, counter)) {
                return false;
            }
            i = lines[i].partner;
        } else if (!RunOperation(lines[i], counter)) {
            return false;
        }
    }
    return true;
}

bool JobRunner::RunLoop(const std::vector<JobLine>& lines, std::size_t loop, long long) {
    const long long count = std::stoll(lines[loop].args[0]);
    // An empty loop does nothing, however often.
    if (lines[loop].partner == loop + 1) {
        return true;
    }
    m_progress.loops.push_back({0, count});
    for (long long n = 1; n <= count; ++n) {
        m_progress.loops.back().counter = n;
        if (!RunLines(lines, loop + 1, lines[loop].partner, n)) {
            return false;
        }
    }
    m_progress.loops.pop_back();
    return true;
}

bool JobRunner::RunOperation(const JobLine& line, long long counter) {
    const JobOperation& operation = *FindJobOperation(line.op);
    Args args;
    for (const std::string& arg : line.args) {
        args.push_back(Substitute(arg, counter));
    }
    const std::string text = Substitute(line.text, counter);
    const std::size_t firstBox = m_context.ui.Boxes().size();
    m_lastLine = line.number;
    m_progress.number = line.number;
    m_progress.line = text;
    m_progress.waitLeft = 0;
    m_runningWait = line.op == "wait" && args[0] != "backup"
                        ? JobNumber(args[0], true, kMaxWaitSeconds).value_or(0)
                        : 0;
    if (m_sink) {
        m_sink(m_progress);
    }
    // A value that only the loop counter made wrong is refused here.
    const std::string why = operation.check(args);
    OpResult result = why.empty() ? operation.run(m_context, args) : Failure(why);
    m_progress.jobWaitLeft -= m_runningWait;
    if (result.Failed() && result.error == 0) {
        result.error = kFailedWithoutNumber;
    }
    Print(line, text, result, firstBox);
    if (result.Failed()) {
        m_err << m_prefix << "line " << line.number << " (" << Excerpt(text)
              << ") failed: " << result.failure << '\n';
        m_status = kJobFailed;
        return false;
    }
    return true;
}

void JobRunner::Print(const JobLine& line, const std::string& text, const OpResult& result,
                      std::size_t firstBox) {
    const auto& boxes = m_context.ui.Boxes();
    if (!m_json) {
        m_out << line.number << ": " << text << '\n';
        for (const auto& [key, value] : result.data.items()) {
            if (value.is_object()) {
                for (const auto& [name, field] : value.items()) {
                    m_out << "  " << name << " = " << Plain(field) << '\n';
                }
            } else {
                m_out << "  " << key << " = " << Plain(value) << '\n';
            }
        }
        m_out.flush();
        return;
    }
    nlohmann::ordered_json report;
    report["line"] = text;
    report["number"] = line.number;
    report["op"] = line.op;
    report["error"] = result.error;
    if (result.Failed()) {
        report["failure"] = result.failure;
    }
    report.update(result.data);
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (std::size_t i = firstBox; i < boxes.size(); ++i) {
        messages.push_back({{"caption", JobUi::CaptionOf(boxes[i])}, {"text", boxes[i].text}});
    }
    report["messages"] = messages;
    m_out << JsonText(report) << std::endl;
}

}  // namespace qv::jobs
