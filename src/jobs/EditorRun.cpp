#include "jobs/EditorRun.h"

#include "document/QvDoc.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

EditorView RunBlockEditor(JobContext& context, const JobBlock& block,
                          const std::function<void(CDialog&)>& script) {
    EditorView view;
    context.ui.QueueModalScript([&](CDialog& editor) {
        script(editor);
        view = {true, FieldValues(editor, block), EditorStatus(editor), block.image(editor),
                EditorError(editor)};
    });
    context.doc.Editors()->RunEditor(block.command, context.doc);
    return view;
}

OpResult EditorReport(const JobBlock& block, const EditorView& view) {
    if (!view.opened) {
        return Failure(std::string("the ") + block.name + " editor did not open");
    }
    OpResult result;
    result.error = view.error;
    if (view.error != 0) {
        result.failure = "hardware error " + std::to_string(view.error);
    }
    result.data["block"] = block.name;
    result.data["fields"] = view.fields;
    result.data["status"] = view.status;
    result.data["image"] = view.image;
    return result;
}

}  // namespace qv::jobs
