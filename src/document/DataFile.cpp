#include "document/DataFile.h"

#include <bit>
#include <optional>
#include <span>
#include <string>

namespace qv {

static_assert(std::endian::native == std::endian::little,
              "the data file stores the slots in little-endian byte order");

namespace {

// The raw runs after the remark, in file order.
template <typename Visit>
void ForEachRawRun(Measurement& m, Visit&& visit) {
    visit(std::as_writable_bytes(std::span(&m.Stamp, 1)));
    visit(std::as_writable_bytes(std::span(&m.Settings.CountersTimers, 1)));
    visit(std::as_writable_bytes(std::span(&m.Settings.Analogue, 1)));
    visit(std::as_writable_bytes(std::span(&m.Settings.HighVoltage, 1)));
    visit(std::as_writable_bytes(std::span(&m.Settings.Vibrator, 1)));
    visit(std::as_writable_bytes(std::span(m.Qv2)));
    visit(std::as_writable_bytes(std::span(m.Qv1)));
    visit(std::as_writable_bytes(std::span(m.Aa)));
}

}  // namespace

void StoreMeasurement(CArchive& archive, const Measurement& measurement) {
    archive.WriteString(kDataFileSignature);
    archive.WriteUInt32(kDataFileVersion);
    archive.WriteString(measurement.Remark);
    // The runs are only read here; the visitor is shared with loading.
    ForEachRawRun(const_cast<Measurement&>(measurement),
                  [&](std::span<std::byte> run) { archive.WriteBytes(run); });
}

DataFileLoad LoadMeasurement(CArchive& archive, Measurement& into) {
    // A foreign file may announce a signature of gigabytes; ours has 15 bytes.
    const std::optional<std::string> signature =
        archive.ReadStringUpTo(std::char_traits<char>::length(kDataFileSignature));
    if (!signature) {
        return DataFileLoad::Refused;
    }
    const std::uint32_t version = archive.ReadUInt32();
    if (*signature != kDataFileSignature || version != kDataFileVersion) {
        return DataFileLoad::Refused;
    }
    into.Remark = archive.ReadString();
    bool complete = true;
    ForEachRawRun(into, [&](std::span<std::byte> run) {
        const std::size_t got = archive.ReadAvailable(run);
        if (got < run.size()) {
            std::fill(run.begin() + static_cast<std::ptrdiff_t>(got), run.end(), std::byte{0});
            complete = false;
        }
    });
    return complete ? DataFileLoad::Complete : DataFileLoad::Incomplete;
}

std::string FormatIncompleteFileMessage(const std::string& path) {
    return "The file\n" + path +
           "\nwas incomplete: it ends before the end of the measurement.\n"
           "The missing data were set to zero.";
}

}  // namespace qv
