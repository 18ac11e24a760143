// read BLOCK and set BLOCK FIELD=VALUE...: the block's editor opened from the
// Settings menu as the operator opens it, its values typed into its controls,
// "--> Hardware" pressed.
#include <optional>

#include "document/QvDoc.h"
#include "hardware/CHardwarePort.h"
#include "jobs/EditorRun.h"
#include "jobs/JobBlocks.h"
#include "jobs/JobNumber.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

namespace {

struct Assignment {
    const BlockField* field;
    std::string value;
};

std::optional<std::vector<Assignment>> Assignments(const JobBlock& block, const Args& args,
                                                   std::string& why) {
    std::vector<Assignment> assignments;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t equals = args[i].find('=');
        if (equals == std::string::npos) {
            why = "\"" + Excerpt(args[i]) + "\" is not FIELD=VALUE";
            return std::nullopt;
        }
        const std::string name = args[i].substr(0, equals);
        const BlockField* field = FindBlockField(block, name);
        if (field == nullptr) {
            why = "the " + std::string(block.name) + " block has no field " + Excerpt(name);
            return std::nullopt;
        }
        if (why = FieldRefusal(block, *field); !why.empty()) {
            return std::nullopt;
        }
        assignments.push_back({field, args[i].substr(equals + 1)});
    }
    return assignments;
}

std::optional<int> Flag(const std::string& value, int count) {
    if (value.size() == 1 && value[0] >= '0' && value[0] < '0' + count) {
        return value[0] - '0';
    }
    return std::nullopt;
}

// Puts one value into its control as the operator would, and leaves the box
// (its focus-lost handler runs). Returns why it could not be put there.
std::string Put(CDialog& editor, const Assignment& a) {
    const int id = a.field->control;
    const std::string name = a.field->name;
    if (!editor.Control(id).enabled) {
        return name + " cannot be set now: its control is disabled";
    }
    switch (editor.Template().Find(id)->kind) {
        case ControlKind::CheckBox: {
            const auto check = Flag(a.value, 2);
            if (!check) {
                return name + " takes 0 or 1";
            }
            if (editor.IsDlgButtonChecked(id) != *check) {
                editor.ClickCheck(id);
            }
            return {};
        }
        case ControlKind::RadioButton: {
            const std::vector<int> group = editor.Template().RadioGroup(id);
            const auto index = Flag(a.value, static_cast<int>(group.size()));
            if (!index) {
                return name + " takes 0 to " + std::to_string(group.size() - 1);
            }
            editor.ClickRadio(group[static_cast<std::size_t>(*index)]);
            return {};
        }
        default:
            editor.TypeText(id, a.value);
            if (editor.GetDlgItemText(id) != a.value) {
                return name + " box takes digits only, not \"" + Excerpt(a.value) + "\"";
            }
            editor.OnKillFocus(id);
            return {};
    }
}

}  // namespace

std::string CheckRead(const Args& args) {
    if (args.size() != 1 || FindJobBlock(args[0]) == nullptr) {
        return "names one block: " + JobBlockNames();
    }
    return {};
}

OpResult RunRead(JobContext& context, const Args& args) {
    const JobBlock& block = *FindJobBlock(args[0]);
    return EditorReport(block, RunBlockEditor(context, block, [](CDialog&) {}));
}

std::string CheckSet(const Args& args) {
    if (args.empty() || FindJobBlock(args[0]) == nullptr) {
        return "names one block: " + JobBlockNames();
    }
    if (args.size() < 2) {
        return "sets at least one FIELD=VALUE";
    }
    std::string why;
    Assignments(*FindJobBlock(args[0]), args, why);
    return why;
}

// Nothing reaches the card unless every value went into its box and the
// editor took them all: a refusal shows its message and stops the job. A
// value the editor takes with a message (a speed of 16) is written; the
// message goes to the error stream like every other.
OpResult RunSet(JobContext& context, const Args& args) {
    const JobBlock& block = *FindJobBlock(args[0]);
    std::string why;
    const auto assignments = Assignments(block, args, why);
    if (!assignments) {
        return Failure(why);
    }
    bool refused = false;
    const EditorView view = RunBlockEditor(context, block, [&](CDialog& editor) {
        for (const Assignment& a : *assignments) {
            why = Put(editor, a);
            if (refused = editor.ValueRefused(); !why.empty() || refused) {
                return;
            }
        }
        editor.OnCommand(block.toHardware);
        refused = editor.ValueRefused();
    });
    OpResult result = EditorReport(block, view);
    if (why.empty() && refused) {
        why = "refused (" + context.ui.Boxes().back().text + ")";
    }
    if (!why.empty()) {
        result.error = kFailedWithoutNumber;
        result.failure = why + ", nothing was written";
    } else if (!result.Failed() && view.status == kLockedText) {
        result.failure = "the card is locked";
    }
    return result;
}

}  // namespace qv::jobs
