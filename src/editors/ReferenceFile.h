#pragma once

#include <string>

#include "editors/ReferenceTable.h"

namespace qv {

// A reference file (".ref" or ".bin"): its first 16384 bytes, 8192 words.
struct ReferenceFile {
    enum class Outcome { Read, CannotOpen, TooShort };
    Outcome outcome = Outcome::CannotOpen;
    ReferenceWire wire{};  // the samples in the wire form, when read
};

// Reads the first 16384 bytes; what follows them is ignored.
ReferenceFile ReadReferenceFile(const std::string& path);

}  // namespace qv
