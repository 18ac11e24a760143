#include "jobs/JobScript.h"

#include <cstdio>
#include <optional>

#include "jobs/JobNumber.h"
#include "jobs/JobOperations.h"
#include "jobs/JobSubstitution.h"

namespace qv::jobs {

namespace {

// Deeper than any job needs, shallow enough for the runner's recursion.
constexpr std::size_t kMaxLoopDepth = 100;
constexpr double kMaxLoopCount = 999999999;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Words split at blanks; "..." keeps blanks inside one word. Nothing when a
// quote is not closed.
std::optional<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

// remark keeps its text as written, blanks and quotes included; a text wholly
// in quotes loses them.
std::vector<std::string> RemarkArgs(const std::string& rest) {
    std::string text = Trimmed(rest);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return {text};
}

std::string CheckArgs(const JobLine& line, int loopDepth) {
    for (const std::string& arg : line.args) {
        if (const std::string why = CheckSubstitutions(arg); !why.empty()) {
            return why;
        }
        if (HasSubstitution(arg) && loopDepth == 0) {
            return "{n} outside a loop";
        }
    }
    if (line.op == "loop" || line.op == "end") {
        return {};
    }
    const JobOperation* operation = FindJobOperation(line.op);
    if (operation == nullptr) {
        return "unknown operation \"" + Excerpt(line.op) + "\"";
    }
    // Checked as the first round of the loop would give them.
    Args sample;
    for (const std::string& arg : line.args) {
        sample.push_back(Substitute(arg, 1));
    }
    const std::string why = operation->check(sample);
    return why.empty() ? why : line.op + ": " + why;
}

std::string CheckLoopCount(const JobLine& line) {
    if (line.args.size() != 1) {
        return "loop takes one count";
    }
    const std::string& count = line.args[0];
    if (!JobNumber(count, false, kMaxLoopCount)) {
        return "loop count \"" + Excerpt(count) + "\" is not a whole number from 0 to 999999999";
    }
    return {};
}

// A NUL would cut a file name short at the system call, a line end inside a
// quote would split a remark: no argument takes a control character.
std::string ControlCharacter(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return std::string("a control character (") + code + ") in the line";
        }
    }
    return {};
}

std::string LineError(const JobLine& line, const std::string& why) {
    return "line " + std::to_string(line.number) + ": " + why;
}

}  // namespace

std::vector<std::string> SplitJobText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

JobScript ParseJob(const std::vector<std::string>& rawLines, int firstNumber) {
    JobScript script;
    std::vector<std::size_t> openLoops;
    for (std::size_t i = 0; i < rawLines.size(); ++i) {
        JobLine line;
        line.number = firstNumber + static_cast<int>(i);
        line.text = Trimmed(rawLines[i]);
        if (line.text.empty() || line.text.front() == '#') {
            continue;
        }
        if (const std::string why = ControlCharacter(line.text); !why.empty()) {
            script.error = LineError(line, why);
            return script;
        }
        line.op = line.text.substr(0, line.text.find_first_of(" \t"));
        if (line.op == "remark") {
            line.args = RemarkArgs(line.text.substr(line.op.size()));
        } else if (auto words = Words(line.text)) {
            line.op = words->front();
            line.args.assign(words->begin() + 1, words->end());
        } else {
            script.error = LineError(line, "a quote is not closed");
            return script;
        }
        std::string why = CheckArgs(line, static_cast<int>(openLoops.size()));
        if (why.empty() && line.op == "loop") {
            why = openLoops.size() < kMaxLoopDepth
                      ? CheckLoopCount(line)
                      : "loops nest deeper than " + std::to_string(kMaxLoopDepth) + " levels";
            openLoops.push_back(script.lines.size());
        } else if (why.empty() && line.op == "end") {
            if (!line.args.empty()) {
                why = "end takes no arguments";
            } else if (openLoops.empty()) {
                why = "end without loop";
            } else {
                line.partner = openLoops.back();
                script.lines[openLoops.back()].partner = script.lines.size();
                openLoops.pop_back();
            }
        }
        if (!why.empty()) {
            script.error = LineError(line, why);
            return script;
        }
        script.lines.push_back(std::move(line));
    }
    if (!openLoops.empty()) {
        script.error = LineError(script.lines[openLoops.back()], "loop without end");
    }
    return script;
}

}  // namespace qv::jobs
