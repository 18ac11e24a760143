#pragma once

#include <cstdint>
#include <string>

#include "framework/ArchiveSource.h"

namespace qv {

// A data file opened for loading. Opening never blocks (a FIFO without a
// writer, a device) and refuses everything that is not a regular file, so
// /dev/zero or a pipe cannot hang the program or fill its memory.
class InputFile final : public ArchiveSource {
public:
    InputFile() = default;
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Empty on success, else the reason in the user's words.
    std::string Open(const std::string& path);

    std::size_t Remaining() const override;
    // A read error, or a file that shrinks under us, throws CFileException.
    void Read(std::span<std::byte> destination) override;

    std::uint64_t Size() const { return m_size; }
    std::uint64_t BytesRead() const { return m_pos; }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_pos = 0;
};

}  // namespace qv
