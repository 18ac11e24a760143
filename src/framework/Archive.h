#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/ArchiveSource.h"

namespace qv {

// Thrown by CArchive when a load runs past the end of its data. The document's
// open flow turns it into a message; nothing outside the framework catches it.
class CArchiveException {
public:
    enum Cause { endOfFile };
    explicit CArchiveException(Cause cause) : m_cause(cause) {}
    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};

// Thrown by a Serialize that has already told the user why it gave up.
class CUserException {};

// Binary archive in the little-endian layout of the data file. A loading archive
// reads from a byte run or a source it does not own, only as far as it is asked;
// a storing archive appends to its buffer.
class CArchive {
public:
    static CArchive ForLoading(std::span<const std::byte> data);
    static CArchive ForLoading(ArchiveSource& source);
    static CArchive ForStoring();

    bool IsLoading() const { return m_loading; }
    bool IsStoring() const { return !m_loading; }

    void WriteUInt32(std::uint32_t value);
    void WriteBytes(std::span<const std::byte> bytes);
    // Length prefix: 1 byte below 255, else 0xFF + 16 bits below 0xFFFE,
    // else 0xFF, 0xFFFF + 32 bits; then the single-byte characters.
    void WriteString(const std::string& text);

    std::uint32_t ReadUInt32();
    // A length that reaches past the data is an end-of-file error, raised before
    // anything is allocated for it.
    std::string ReadString();
    // For strings of a known size (a signature): a longer announced length that
    // the data could hold is not read at all and gives nullopt.
    std::optional<std::string> ReadStringUpTo(std::size_t maxLength);
    // Reads as many of the requested bytes as remain; returns how many that was.
    std::size_t ReadAvailable(std::span<std::byte> destination);

    // The file behind the archive, for messages.
    void SetFileName(const std::string& name) { m_fileName = name; }
    const std::string& GetFileName() const { return m_fileName; }

    std::size_t Remaining() const { return m_source->Remaining(); }
    const std::vector<std::byte>& StoredBytes() const { return m_stored; }

private:
    explicit CArchive(bool loading) : m_loading(loading) {}
    void ReadExactly(std::span<std::byte> destination);
    std::uint8_t ReadUInt8();
    std::uint16_t ReadUInt16();
    void WriteUInt8(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    std::uint32_t ReadStringLength();
    std::string ReadChars(std::uint32_t length);

    bool m_loading;
    std::shared_ptr<ArchiveSource> m_ownedSource;
    ArchiveSource* m_source = nullptr;
    std::vector<std::byte> m_stored;
    std::string m_fileName;
};

}  // namespace qv
