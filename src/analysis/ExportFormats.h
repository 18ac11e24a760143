#pragma once

#include <string>

#include "analysis/Calibration.h"
#include "analysis/SpectrumChoice.h"
#include "document/Measurement.h"

namespace qv::analysis {

// Each returns the whole file as bytes; docs/formats.md describes the layouts.

// The folded spectrum on the velocity axis: '#' header lines (remark, the
// calibration used: its file, folding point, zero channel, scale and maximum
// velocity), then "velocity counts" per line.
std::string VelocityAscii(const Measurement& m, SpectrumChoice choice, const Calibration& cal,
                          const std::string& calibrationName);
// WissEl-style: tagged header lines, then one count per line (CRLF).
std::string Ws5(const Measurement& m, SpectrumChoice choice);
// Ortec Maestro ASCII spectrum (CRLF); `measured` is "mm/dd/yyyy hh:mm:ss".
std::string OrtecSpe(const Measurement& m, SpectrumChoice choice, const std::string& measured);
// One row per channel, one column per spectrum (RFC 4180, CRLF).
std::string Csv(const Measurement& m);
// One count per line, nothing else.
std::string PlainAscii(const Measurement& m, SpectrumChoice choice);

// The remark on one line of printable ASCII: every run of other bytes (line
// breaks included) becomes one blank; leading and trailing blanks go.
std::string OneLineAscii(const std::string& remark);

}  // namespace qv::analysis
