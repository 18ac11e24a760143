#include "Commands.h"
#include "ToolDocument.h"
#include "document/ExportFile.h"
#include "framework/TextEncoding.h"

namespace qv::tool {

int NewCommand(Streams io, const std::string& file, const std::string& remark) {
    ToolDocument tool(io.err);
    tool.Doc().Data().Remark = Utf8ToCp1252(remark);
    return tool.Doc().OnSaveDocument(file) ? 0 : 1;
}

int RemarkCommand(Streams io, const std::string& file, const std::string& remark,
                  const std::optional<std::string>& output) {
    ToolDocument tool(io.err);
    if (!tool.Open(file)) {
        return 1;
    }
    tool.Doc().Data().Remark = Utf8ToCp1252(remark);
    return tool.Doc().OnSaveDocument(output.value_or(file)) ? 0 : 1;
}

int ExportCommand(Streams io, const std::string& file, const std::optional<std::string>& to) {
    ToolDocument tool(io.err);
    if (!tool.Open(file)) {
        return 1;
    }
    const std::string chosen = to.value_or(file);
    const int written = WriteExportSet(tool.GetUi(), tool.Doc().Data(), chosen);
    const std::string base = ExportBasePath(chosen);
    for (int i = 0; i < written; ++i) {
        io.out << base << "12lacs"[i] << '\n';
    }
    return written == kExportFileCount ? 0 : 1;
}

}  // namespace qv::tool
