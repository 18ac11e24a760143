#pragma once

#include <string>

#include "document/Measurement.h"
#include "framework/Archive.h"

namespace qv {

inline constexpr const char* kDataFileSignature = "Z_uJ1S_hU9t_g4Z";
inline constexpr std::uint32_t kDataFileVersion = 0;
inline constexpr const char* kIncompatibleFileMessage =
    "Incompatible file type or version.\nAbort.";

enum class DataFileLoad {
    Complete,
    Incomplete,  // ended inside the stamp, blocks or spectra; the rest is zero
    Refused,     // wrong signature or version; nothing past the version was read
};

void StoreMeasurement(CArchive& archive, const Measurement& measurement);

// Fills into (which should start zeroed) from the archive. A file cut short
// before the end of the remark raises CArchiveException.
DataFileLoad LoadMeasurement(CArchive& archive, Measurement& into);

std::string FormatIncompleteFileMessage(const std::string& path);

}  // namespace qv
