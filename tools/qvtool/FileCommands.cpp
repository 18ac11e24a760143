#include "Commands.h"
#include "ConsoleUi.h"
#include "document/ExportFile.h"
#include "document/QvDoc.h"
#include "framework/TextEncoding.h"

namespace qv::tool {

int NewCommand(Streams io, const std::string& file, const std::string& remark) {
    ConsoleUi ui(io.err);
    CQvDoc doc(ui, std::nullopt);
    doc.OnNewDocument();
    doc.Data().Remark = Utf8ToCp1252(remark);
    return doc.OnSaveDocument(file) ? 0 : 1;
}

int RemarkCommand(Streams io, const std::string& file, const std::string& remark,
                  const std::optional<std::string>& output) {
    ConsoleUi ui(io.err);
    CQvDoc doc(ui, std::nullopt);
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(file)) {
        return 1;
    }
    doc.Data().Remark = Utf8ToCp1252(remark);
    return doc.OnSaveDocument(output.value_or(file)) ? 0 : 1;
}

int ExportCommand(Streams io, const std::string& file, const std::optional<std::string>& to) {
    ConsoleUi ui(io.err);
    CQvDoc doc(ui, std::nullopt);
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(file)) {
        return 1;
    }
    const std::string chosen = to.value_or(file);
    const int written = WriteExportSet(ui, doc.Data(), chosen);
    const std::string base = ExportBasePath(chosen);
    for (int i = 0; i < written; ++i) {
        io.out << base << "12lacs"[i] << '\n';
    }
    return written == kExportFileCount ? 0 : 1;
}

}  // namespace qv::tool
