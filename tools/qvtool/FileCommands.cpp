#include <filesystem>

#include "Commands.h"
#include "ToolDocument.h"
#include "document/ExportFile.h"
#include "framework/TextEncoding.h"

namespace qv::tool {

namespace {

// The remark as the data file stores it, or nothing after saying why it cannot
// be stored: a character lost on the way would be lost for good.
std::optional<std::string> StorableRemark(Streams io, const std::string& utf8) {
    if (const std::string refusal = RemarkEncodingRefusal(utf8); !refusal.empty()) {
        io.err << refusal << '\n';
        return std::nullopt;
    }
    return Utf8ToCp1252(utf8);
}

bool Exists(const std::string& file) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(file, ignored));
}

}  // namespace

int NewCommand(Streams io, const std::string& file, const std::string& remark, bool force) {
    // An empty measurement over a real one would lose it without a word.
    if (!force && Exists(file)) {
        io.err << "new: " << file << " already exists; give --force to replace it.\n";
        return 1;
    }
    const auto stored = StorableRemark(io, remark);
    if (!stored) {
        return 1;
    }
    ToolDocument tool(io.err);
    tool.Doc().Data().Remark = *stored;
    return tool.Doc().OnSaveDocument(file) ? 0 : 1;
}

int RemarkCommand(Streams io, const std::string& file, const std::string& remark,
                  const std::optional<std::string>& output) {
    const auto stored = StorableRemark(io, remark);
    if (!stored) {
        return 1;
    }
    ToolDocument tool(io.err);
    if (!tool.Open(file)) {
        return 1;
    }
    tool.Doc().Data().Remark = *stored;
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
