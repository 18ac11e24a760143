// capture, remark, save and export: the measurement document's own operations
// as the desktop's Refresh, data remark panel, File Save and File Export run them.
#include "document/ExportFile.h"
#include "document/QvDoc.h"
#include "document/RunLog.h"
#include "editors/DataRemarkDlg.h"
#include "editors/DataRemarkTemplate.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

namespace {

std::string MessagesSince(const JobUi& ui, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < ui.Boxes().size(); ++i) {
        text += (text.empty() ? "" : "; ") + ui.Boxes()[i].text;
    }
    return text;
}

}  // namespace

std::string CheckCapture(const Args& args) {
    if (args.empty() || (args.size() == 1 && args[0] == "--suspend")) {
        return {};
    }
    return "takes nothing or --suspend";
}

// "Refresh from hardware", or with --suspend the autosave's capture with
// counting stopped around it; the run log hears of both from the document.
OpResult RunCapture(JobContext& context, const Args& args) {
    const bool suspend = !args.empty();
    const int step = suspend ? context.doc.SuspendedCapture() : context.doc.CaptureHardwareState();
    if (step != 0) {
        return Failure("capture failed at step " + std::to_string(step), step);
    }
    return {};
}

std::string CheckRemark(const Args&) {
    return {};
}

// Typed into the data remark panel and accepted there.
OpResult RunRemark(JobContext& context, const Args& args) {
    const std::size_t boxesBefore = context.ui.Boxes().size();
    CDataRemarkDlg panel(context.ui);
    panel.Create();
    panel.SetDocument(&context.doc);
    panel.RefreshFromDocument();
    panel.TypeText(IDC_REMARK_TEXT, args[0]);
    if (panel.GetDlgItemText(IDC_REMARK_TEXT) != args[0]) {
        return Failure("the remark takes at most " + std::to_string(kRemarkMaxChars) +
                       " characters");
    }
    panel.OnCommand(IDC_REMARK_ACCEPT);
    if (context.ui.Boxes().size() != boxesBefore) {
        return Failure(MessagesSince(context.ui, boxesBefore));
    }
    return {};
}

std::string CheckOneFile(const Args& args) {
    return args.size() == 1 && !args[0].empty() ? std::string() : "takes one file name";
}

// As File Save As with the name given: written beside the target and renamed
// over it, so a failed save leaves the file that was there whole.
OpResult RunSave(JobContext& context, const Args& args) {
    if (!context.doc.DoSave(args[0])) {
        return Failure("cannot save " + args[0]);
    }
    // The log stays where the run's first save put it: one log per run, not
    // one line in each of day01.log.csv ... day24.log.csv.
    if (!context.doc.GetRunLog().ExplicitPath()) {
        context.doc.SetRunLogPath(RunLogPathBeside(args[0]));
    }
    return {};
}

// As File Export with BASE chosen in its dialog: the six files for Pelmix.
OpResult RunExport(JobContext& context, const Args& args) {
    const int written = WriteExportSet(context.ui, context.doc.Data(), args[0]);
    if (written != kExportFileCount) {
        return Failure("wrote " + std::to_string(written) + " of the " +
                       std::to_string(kExportFileCount) + " export files for " + args[0]);
    }
    return {};
}

}  // namespace qv::jobs
