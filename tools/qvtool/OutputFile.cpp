#include "OutputFile.h"

#include <span>

#include "framework/AtomicFile.h"

namespace qv::tool {

bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& err) {
    const FileWriteResult result = WriteFileReplacing(
        path, std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()));
    if (!result.Ok()) {
        err << "cannot write " << path << ": " << result.error << '\n';
        return false;
    }
    return true;
}

}  // namespace qv::tool
