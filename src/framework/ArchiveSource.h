#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qv {

// Thrown when the file behind a loading archive cannot be read any further.
class CFileException {
public:
    explicit CFileException(std::string reason) : m_reason(std::move(reason)) {}
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_reason;
};

// Where a loading archive's bytes come from: memory, or a file read piece by
// piece so that nothing beyond what the format asks for is ever read.
class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;
    virtual std::size_t Remaining() const = 0;
    // Fills destination, which is never larger than Remaining().
    virtual void Read(std::span<std::byte> destination) = 0;
};

class MemorySource final : public ArchiveSource {
public:
    explicit MemorySource(std::span<const std::byte> data) : m_data(data) {}
    std::size_t Remaining() const override { return m_data.size() - m_pos; }
    void Read(std::span<std::byte> destination) override;

private:
    std::span<const std::byte> m_data;
    std::size_t m_pos = 0;
};

}  // namespace qv
