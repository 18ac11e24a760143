// reference cosine N, reference parabola N, reference load FILE: the vibrator
// editor's reference buttons, the rounding scope typed first.
#include "editors/VibratorTemplate.h"
#include "hardware/CHardwarePort.h"
#include "jobs/EditorRun.h"
#include "jobs/JobBlocks.h"
#include "jobs/JobNumber.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

namespace {

constexpr double kMaxRoundingScope = 999999999;

}  // namespace

std::string CheckReference(const Args& args) {
    if (args.size() == 2 && args[0] == "load") {
        return {};
    }
    if (args.size() == 2 && (args[0] == "cosine" || args[0] == "parabola")) {
        return JobNumber(args[1], false, kMaxRoundingScope)
                   ? std::string()
                   : "the rounding scope \"" + Excerpt(args[1]) + "\" is not a number";
    }
    return "takes cosine N, parabola N or load FILE";
}

OpResult RunReference(JobContext& context, const Args& args) {
    const JobBlock& block = *FindJobBlock("vibrator");
    const std::size_t boxesBefore = context.ui.Boxes().size();
    const EditorView view = RunBlockEditor(context, block, [&](CDialog& editor) {
        if (args[0] == "load") {
            context.ui.QueueFile(args[1]);
            editor.OnCommand(IDC_REFERENCE_LOAD);
            return;
        }
        editor.TypeText(IDC_ROUNDING_SCOPE, args[1]);
        editor.OnCommand(args[0] == "cosine" ? IDC_REFERENCE_COSINE : IDC_REFERENCE_PARABOLA);
    });
    OpResult result = EditorReport(block, view);
    // Every box these buttons show means the table did not get through.
    if (!result.Failed() && context.ui.Boxes().size() != boxesBefore) {
        result.error = view.error != 0 ? view.error : kFailedWithoutNumber;
        result.failure = context.ui.Boxes().back().text;
    } else if (!result.Failed() && view.status == kLockedText) {
        result.failure = "the card is locked";
    }
    return result;
}

}  // namespace qv::jobs
