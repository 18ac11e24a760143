#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "document/Measurement.h"
#include "framework/Ui.h"

namespace qv {

inline constexpr std::size_t kExportHeaderSize = 80;
inline constexpr const char* kExportCaption = "Export data";
inline constexpr const char* kExportFilter = "QvData (.qv*)|*.qv*|All (*.*)|*.*||";

// The two extra words of the "l" file.
struct ExportHeaderWords {
    std::int32_t cycles;   // Qv2 cycles completed
    std::int32_t divider;  // (1024 - 4 L) * (K + 4)
};

// The remark as printable ASCII, each run of other bytes one blank, padded to 80.
std::array<char, kExportHeaderSize> ExportHeader(const std::string& remark);
ExportHeaderWords ComputeExportHeaderWords(const SettingsImage& settings);
// The chosen path cut at the last '.' of its file name, then ".qv".
std::string ExportBasePath(const std::string& chosenPath);

// A path ending in '/', or naming an existing folder, would give hidden files
// such as ".qv1" inside it or files beside it; the export refuses it.
bool ExportPathNamesAFolder(const std::string& chosenPath);
std::string FormatExportFolderMessage(const std::string& chosenPath);

// Writes one file crash-safely; 0 on success, 1 when it cannot be created or
// written (after telling the user). A read-only file is not replaced.
int WriteExportFile(Ui& ui, const std::string& path, const std::string& remark,
                    std::span<const std::uint32_t, kChannels> counts,
                    const std::optional<ExportHeaderWords>& words);

// Writes the six files for the chosen path; stops at the first failure, and
// writes nothing for a path that names a folder.
// Returns how many files were written.
int WriteExportSet(Ui& ui, const Measurement& measurement, const std::string& chosenPath);

inline constexpr int kExportFileCount = 6;

}  // namespace qv
