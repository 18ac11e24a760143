#pragma once

#include <functional>
#include <string>

#include "jobs/JobBlocks.h"
#include "jobs/JobOperations.h"

namespace qv::jobs {

// What an editor showed when the job was done with it.
struct EditorView {
    bool opened = false;
    nlohmann::ordered_json fields;
    std::string status;
    std::string image;
    int error = 0;
};

// Opens the block's editor from the Settings menu, as the desktop does, with
// script playing the operator after the editor's start; returns what the
// editor showed when the script was done.
EditorView RunBlockEditor(JobContext& context, const JobBlock& block,
                          const std::function<void(CDialog&)>& script);

// block, fields, status and image; a failure when the editor did not open or
// its last transfer failed.
OpResult EditorReport(const JobBlock& block, const EditorView& view);

}  // namespace qv::jobs
