#include "jobs/JobOperations.h"

#include <utility>

namespace qv::jobs {

namespace {

constexpr JobOperation kOperations[] = {
    {"read", CheckRead, RunRead},          {"set", CheckSet, RunSet},
    {"clear", CheckMemories, RunClear},    {"start", CheckMemories, RunStart},
    {"stop", CheckMemories, RunStop},      {"reference", CheckReference, RunReference},
    {"capture", CheckCapture, RunCapture}, {"remark", CheckRemark, RunRemark},
    {"save", CheckOneFile, RunSave},       {"export", CheckOneFile, RunExport},
    {"rates", CheckNoArguments, RunRates}, {"backup", CheckNoArguments, RunBackup},
    {"wait", CheckWait, RunWait},
};

}  // namespace

OpResult Failure(std::string why, int error) {
    OpResult result;
    result.error = error;
    result.failure = std::move(why);
    return result;
}

const JobOperation* FindJobOperation(const std::string& name) {
    for (const JobOperation& operation : kOperations) {
        if (name == operation.name) {
            return &operation;
        }
    }
    return nullptr;
}

std::string CheckNoArguments(const Args& args) {
    return args.empty() ? std::string() : "takes no arguments";
}

}  // namespace qv::jobs
