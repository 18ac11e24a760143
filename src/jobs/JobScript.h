#pragma once

#include <string>
#include <vector>

namespace qv::jobs {

// One operation of a job as written: its name and arguments.
struct JobLine {
    int number = 0;    // line of the job file, or position of the argument
    std::string text;  // as written, without the blanks around it
    std::string op;
    std::vector<std::string> args;
    // loop: the index of its end; end: the index of its loop.
    std::size_t partner = 0;
};

struct JobScript {
    std::vector<JobLine> lines;
    // Empty when the job can run; otherwise "line N: why".
    std::string error;
};

// The lines of a job file, without their line ends ("\n" or "\r\n").
std::vector<std::string> SplitJobText(const std::string& text);

// Reads every line before anything runs, so a mistake near the end of a long
// job is found before its first hour: blank lines and lines starting with '#'
// are dropped, words are split at blanks (double quotes keep blanks), remark
// takes the rest of its line, loops are paired with their ends, and every
// operation's arguments are checked.
JobScript ParseJob(const std::vector<std::string>& rawLines, int firstNumber = 1);

}  // namespace qv::jobs
