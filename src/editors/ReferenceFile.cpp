#include "editors/ReferenceFile.h"

#include <fstream>

#include "framework/FileKind.h"

namespace qv {

ReferenceFile ReadReferenceFile(const std::string& path) {
    ReferenceFile result;
    // A FIFO or device would block the program or never end.
    if (!UnreadableFileReason(path).empty()) {
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return result;
    }
    std::array<std::uint8_t, kReferenceWireBytes> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), kReferenceWireBytes);
    if (in.gcount() < kReferenceWireBytes) {
        result.outcome = ReferenceFile::Outcome::TooShort;
        return result;
    }
    result.outcome = ReferenceFile::Outcome::Read;
    result.wire = WireFromFileWords(bytes);
    return result;
}

}  // namespace qv
