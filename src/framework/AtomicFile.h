#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qv {

// What a failed write did to the file that was there before.
enum class PreviousFile {
    None,          // there was no file of that name
    Unchanged,     // it is still there, byte for byte
};

struct FileWriteResult {
    std::string error;  // empty on success, else the reason in the user's words
    // False when neither the file nor a temporary beside it could be made:
    // nothing was written at all.
    bool opened = false;
    PreviousFile previous = PreviousFile::None;

    bool Ok() const { return error.empty(); }
};

inline constexpr const char* kReadOnlyReason = "The file is read-only";
inline constexpr const char* kFolderRefusesReason =
    "The folder allows no new file beside it, so the file cannot be replaced safely";

// Writes a temporary file beside the target, flushes it to disk and renames it
// over the target, so a failed write never destroys what was there before.
// A read-only target is never replaced, nor one in a folder that allows no
// temporary file: it is never written in place. Temporary files that an
// earlier, killed save of the same target left behind are removed first.
FileWriteResult WriteFileReplacing(const std::string& path, std::span<const std::byte> bytes);

// A regular file that we may write. Needs a write permission bit as well:
// access() alone says yes to everything when the program runs as root.
bool IsWritableFile(const std::string& path);
// A regular file that exists and that we may not write.
bool IsReadOnlyFile(const std::string& path);

}  // namespace qv
