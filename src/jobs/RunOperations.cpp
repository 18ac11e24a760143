// clear, start and stop: the clear/run panel opened, the named memories armed,
// "Go !" or "Go ! / refresh" pressed.
#include <algorithm>
#include <array>

#include "editors/ClearRunDlg.h"
#include "editors/ClearRunTemplate.h"
#include "jobs/EditorRun.h"
#include "jobs/JobBlocks.h"
#include "jobs/JobNumber.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

namespace {

// One column of the panel: its clear box, its "enable_Go" box and its count box.
struct MemoryColumn {
    const char* name;
    int clear;
    int enableGo;
    int count;
};

constexpr std::array<MemoryColumn, 3> kColumns = {{
    {"qv2", IDC_CLEAR_QV2, IDC_ENABLE_GO_QV2, IDC_COUNT_QV2},
    {"qv1", IDC_CLEAR_QV1, IDC_ENABLE_GO_QV1, IDC_COUNT_QV1},
    {"aa", IDC_CLEAR_AA, IDC_ENABLE_GO_AA, IDC_COUNT_AA},
}};

const MemoryColumn* FindColumn(const std::string& name) {
    for (const MemoryColumn& column : kColumns) {
        if (name == column.name) {
            return &column;
        }
    }
    return nullptr;
}

// The named memories; none named means all three.
std::vector<const MemoryColumn*> Columns(const Args& args) {
    std::vector<const MemoryColumn*> columns;
    for (const MemoryColumn& column : kColumns) {
        if (args.empty() || std::find(args.begin(), args.end(), column.name) != args.end()) {
            columns.push_back(&column);
        }
    }
    return columns;
}

void Tick(CDialog& panel, int id, bool checked) {
    if ((panel.IsDlgButtonChecked(id) != 0) != checked) {
        panel.ClickCheck(id);
    }
}

enum class Action { Clear, Start, Stop };

// The memory that did not end up as asked, or nullptr.
const MemoryColumn* Unconfirmed(const CDialog& panel,
                                const std::vector<const MemoryColumn*>& columns, Action action) {
    if (action == Action::Clear) {
        return nullptr;
    }
    for (const MemoryColumn* column : columns) {
        if ((panel.IsDlgButtonChecked(column->count) != 0) != (action == Action::Start)) {
            return column;
        }
    }
    return nullptr;
}

OpResult RunPanel(JobContext& context, const Args& args, Action action) {
    const JobBlock& block = *FindJobBlock("run");
    const auto columns = Columns(args);
    const std::size_t boxesBefore = context.ui.Boxes().size();
    const MemoryColumn* unconfirmed = nullptr;
    const EditorView view = RunBlockEditor(context, block, [&](CDialog& panel) {
        for (const MemoryColumn* column : columns) {
            if (action == Action::Clear) {
                Tick(panel, column->clear, true);
            } else {
                Tick(panel, column->enableGo, true);
                Tick(panel, column->count, action == Action::Start);
            }
        }
        panel.OnCommand(action == Action::Clear ? IDC_CLEAR_GO : IDC_RUN_GO);
        unconfirmed = Unconfirmed(panel, columns, action);
    });
    OpResult result = EditorReport(block, view);
    if (!view.opened) {
        return result;
    }
    // A ULocked card shows "Locked" yet starts and stops: the count boxes tell.
    const std::string status = result.data["status"];
    if (result.error != 0) {
        result.failure = status;  // "TimOut:%d"
    } else if (context.ui.Boxes().size() != boxesBefore) {
        result.failure = context.ui.Boxes().back().text;
    } else if (unconfirmed != nullptr) {
        result.failure = std::string(unconfirmed->name) + " did not " +
                         (action == Action::Start ? "start" : "stop") +
                         (status.empty() ? "" : ": " + status);
    } else if (!status.empty() && (action == Action::Clear || status != kLockedStatusText)) {
        result.failure = status;
    }
    return result;
}

}  // namespace

std::string CheckMemories(const Args& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (FindColumn(args[i]) == nullptr) {
            return "\"" + Excerpt(args[i]) + "\" is not a memory: qv2, qv1 or aa";
        }
        if (std::find(args.begin(), args.begin() + static_cast<long>(i), args[i]) !=
            args.begin() + static_cast<long>(i)) {
            return args[i] + " is named twice";
        }
    }
    return {};
}

OpResult RunClear(JobContext& context, const Args& args) {
    return RunPanel(context, args, Action::Clear);
}

OpResult RunStart(JobContext& context, const Args& args) {
    return RunPanel(context, args, Action::Start);
}

OpResult RunStop(JobContext& context, const Args& args) {
    return RunPanel(context, args, Action::Stop);
}

}  // namespace qv::jobs
