#include "document/ExportFile.h"

#include <filesystem>
#include <vector>

#include "framework/AtomicFile.h"

namespace qv {

namespace {

bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 126;
}

// Counts and header words as little-endian bytes, ready to write.
std::vector<unsigned char> FileBody(const std::array<char, kExportHeaderSize>& header,
                                    std::span<const std::uint32_t, kChannels> counts,
                                    const std::optional<ExportHeaderWords>& words) {
    std::vector<unsigned char> body(header.begin(), header.end());
    const auto put = [&body](std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            body.push_back(static_cast<unsigned char>(v >> shift));
        }
    };
    if (words) {
        put(static_cast<std::uint32_t>(words->cycles));
        put(static_cast<std::uint32_t>(words->divider));
    }
    for (std::uint32_t count : counts) {
        put(count);
    }
    return body;
}

}  // namespace

std::array<char, kExportHeaderSize> ExportHeader(const std::string& remark) {
    std::array<char, kExportHeaderSize> header{};
    std::size_t r = 0;
    for (char& out : header) {
        if (r >= remark.size()) {
            out = ' ';
        } else if (IsPrintable(remark[r])) {
            out = remark[r++];
        } else {
            out = ' ';
            while (r < remark.size() && !IsPrintable(remark[r])) {
                ++r;
            }
        }
    }
    return header;
}

ExportHeaderWords ComputeExportHeaderWords(const SettingsImage& settings) {
    const auto& ct = settings.CountersTimers;
    const auto k = static_cast<std::uint32_t>(settings.Vibrator.K);
    const auto l = static_cast<std::uint32_t>(settings.Vibrator.L);
    // Wrapping 32-bit arithmetic, as the words are stored.
    return {static_cast<std::int32_t>(ct.Qv2CyclesStart - ct.Qv2CyclesCurrent),
            static_cast<std::int32_t>((1024u - 4u * l) * (k + 4u))};
}

std::string ExportBasePath(const std::string& chosenPath) {
    const auto slash = chosenPath.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = chosenPath.find_last_of('.');
    if (dot != std::string::npos && dot >= nameStart) {
        return chosenPath.substr(0, dot) + ".qv";
    }
    return chosenPath + ".qv";
}

int WriteExportFile(Ui& ui, const std::string& path, const std::string& remark,
                    std::span<const std::uint32_t, kChannels> counts,
                    const std::optional<ExportHeaderWords>& words) {
    const auto body = FileBody(ExportHeader(remark), counts, words);
    // Through a temporary and a rename, as the data file: a disk that fills up
    // half way must not leave a cut file that Pelmix would read as a spectrum.
    const FileWriteResult result = WriteFileReplacing(path, std::as_bytes(std::span(body)));
    if (result.Ok()) {
        return 0;
    }
    if (!result.opened) {
        ui.Message("Can not open file", kExportCaption, MsgButtons::Ok);
    } else {
        ui.Message("Can not write file:\n" + path + "\n" + result.error, kExportCaption,
                   MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return 1;
}

bool ExportPathNamesAFolder(const std::string& chosenPath) {
    const auto slash = chosenPath.find_last_of('/');
    const std::string name = slash == std::string::npos ? chosenPath : chosenPath.substr(slash + 1);
    std::error_code ignored;
    return name.empty() || name == "." || name == ".." ||
           std::filesystem::is_directory(chosenPath, ignored);
}

std::string FormatExportFolderMessage(const std::string& chosenPath) {
    return "The export path names a folder, not a file:\n" + chosenPath +
           "\nGive a file name for the six export files.";
}

int WriteExportSet(Ui& ui, const Measurement& m, const std::string& chosenPath) {
    if (ExportPathNamesAFolder(chosenPath)) {
        ui.Message(FormatExportFolderMessage(chosenPath), kExportCaption, MsgButtons::Ok,
                   MsgIcon::Exclamation);
        return 0;
    }
    const std::string base = ExportBasePath(chosenPath);
    Spectrum sum{};
    for (std::size_t c = 0; c < kChannels; ++c) {
        sum[c] = m.AaSum(c);
    }
    const ExportHeaderWords words = ComputeExportHeaderWords(m.Settings);
    struct Item {
        char letter;
        std::span<const std::uint32_t, kChannels> counts;
        bool withWords;
    };
    const Item items[kExportFileCount] = {
        {'1', m.Qv1, false},           {'2', m.Qv2, false},       {'l', m.Qv2, true},
        {'a', m.AaAntiCoinc(), false}, {'c', m.AaCoinc(), false}, {'s', sum, false},
    };
    int written = 0;
    for (const Item& item : items) {
        const auto headerWords = item.withWords ? std::optional(words) : std::nullopt;
        if (WriteExportFile(ui, base + item.letter, m.Remark, item.counts, headerWords) != 0) {
            break;
        }
        ++written;
    }
    return written;
}

}  // namespace qv
