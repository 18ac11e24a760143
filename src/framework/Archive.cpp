#include "framework/Archive.h"

#include <algorithm>

namespace qv {

CArchive CArchive::ForLoading(std::span<const std::byte> data) {
    CArchive archive(true);
    archive.m_ownedSource = std::make_shared<MemorySource>(data);
    archive.m_source = archive.m_ownedSource.get();
    return archive;
}

CArchive CArchive::ForLoading(ArchiveSource& source) {
    CArchive archive(true);
    archive.m_source = &source;
    return archive;
}

CArchive CArchive::ForStoring() {
    return CArchive(false);
}

void CArchive::WriteUInt8(std::uint8_t value) {
    m_stored.push_back(std::byte{value});
}

void CArchive::WriteUInt16(std::uint16_t value) {
    WriteUInt8(static_cast<std::uint8_t>(value));
    WriteUInt8(static_cast<std::uint8_t>(value >> 8));
}

void CArchive::WriteUInt32(std::uint32_t value) {
    WriteUInt16(static_cast<std::uint16_t>(value));
    WriteUInt16(static_cast<std::uint16_t>(value >> 16));
}

void CArchive::WriteBytes(std::span<const std::byte> bytes) {
    m_stored.insert(m_stored.end(), bytes.begin(), bytes.end());
}

void CArchive::WriteString(const std::string& text) {
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteUInt8(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    WriteBytes(std::as_bytes(std::span(text.data(), length)));
}

void CArchive::ReadExactly(std::span<std::byte> destination) {
    if (destination.size() > Remaining()) {
        throw CArchiveException(CArchiveException::endOfFile);
    }
    m_source->Read(destination);
}

std::size_t CArchive::ReadAvailable(std::span<std::byte> destination) {
    const std::size_t count = std::min(destination.size(), Remaining());
    ReadExactly(destination.first(count));
    return count;
}

std::uint8_t CArchive::ReadUInt8() {
    std::byte b{};
    ReadExactly(std::span(&b, 1));
    return static_cast<std::uint8_t>(b);
}

std::uint16_t CArchive::ReadUInt16() {
    const std::uint16_t low = ReadUInt8();
    return static_cast<std::uint16_t>(low | (ReadUInt8() << 8));
}

std::uint32_t CArchive::ReadUInt32() {
    const std::uint32_t low = ReadUInt16();
    return low | (static_cast<std::uint32_t>(ReadUInt16()) << 16);
}

std::uint32_t CArchive::ReadStringLength() {
    std::uint32_t length = ReadUInt8();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == 0xFFFF) {
            length = ReadUInt32();
        }
    }
    return length;
}

std::string CArchive::ReadString() {
    return ReadChars(ReadStringLength());
}

std::optional<std::string> CArchive::ReadStringUpTo(std::size_t maxLength) {
    const std::uint32_t length = ReadStringLength();
    // A length past the end stays the end-of-file error it always was.
    if (length > maxLength && length <= Remaining()) {
        return std::nullopt;
    }
    return ReadChars(length);
}

std::string CArchive::ReadChars(std::uint32_t length) {
    if (length > Remaining()) {
        throw CArchiveException(CArchiveException::endOfFile);
    }
    std::string text(length, '\0');
    ReadExactly(std::as_writable_bytes(std::span(text.data(), text.size())));
    return text;
}

}  // namespace qv
