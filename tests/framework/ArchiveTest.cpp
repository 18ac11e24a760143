#include "framework/Archive.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<unsigned char> Bytes(const CArchive& archive) {
    std::vector<unsigned char> out;
    for (std::byte b : archive.StoredBytes()) {
        out.push_back(static_cast<unsigned char>(b));
    }
    return out;
}

// The prefix bytes that precede a string of the given length.
std::vector<unsigned char> PrefixOf(std::size_t length) {
    CArchive archive = CArchive::ForStoring();
    archive.WriteString(std::string(length, 'x'));
    auto bytes = Bytes(archive);
    bytes.resize(bytes.size() - length);
    return bytes;
}

TEST(ArchiveStringPrefix, OneByteBelow255) {
    EXPECT_EQ(PrefixOf(0), (std::vector<unsigned char>{0}));
    EXPECT_EQ(PrefixOf(254), (std::vector<unsigned char>{254}));
}

TEST(ArchiveStringPrefix, ThreeBytesFrom255Below0xFFFE) {
    EXPECT_EQ(PrefixOf(255), (std::vector<unsigned char>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(PrefixOf(65533), (std::vector<unsigned char>{0xFF, 0xFD, 0xFF}));
}

TEST(ArchiveStringPrefix, SevenBytesFrom0xFFFE) {
    EXPECT_EQ(PrefixOf(65534),
              (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(PrefixOf(65535),
              (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
}

TEST(ArchiveString, RoundTripsEveryPrefixFormAndEveryByte) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 65533u, 65534u, 65535u, 70000u}) {
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>(i * 7);
        }
        CArchive out = CArchive::ForStoring();
        out.WriteString(text);
        CArchive in = CArchive::ForLoading(out.StoredBytes());
        EXPECT_EQ(in.ReadString(), text) << length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ArchiveString, LengthPastTheEndIsEndOfFile) {
    // 0xFF 0xFFFF then a 32-bit length of 4 GiB - 1 with three bytes behind it.
    const std::vector<std::byte> data = {
        std::byte{0xFF}, std::byte{0xFF}, std::byte{0xFF}, std::byte{0xFF}, std::byte{0xFF},
        std::byte{0xFF}, std::byte{0xFF}, std::byte{'a'},  std::byte{'b'},  std::byte{'c'}};
    CArchive in = CArchive::ForLoading(data);
    EXPECT_THROW(in.ReadString(), CArchiveException);
}

TEST(ArchiveIntegers, LittleEndianAndEndOfFile) {
    CArchive out = CArchive::ForStoring();
    out.WriteUInt32(0x01020304);
    EXPECT_EQ(Bytes(out), (std::vector<unsigned char>{4, 3, 2, 1}));
    CArchive in = CArchive::ForLoading(out.StoredBytes());
    EXPECT_EQ(in.ReadUInt32(), 0x01020304u);
    EXPECT_THROW(in.ReadUInt32(), CArchiveException);
}

TEST(ArchiveRaw, ReadAvailableStopsAtTheEnd) {
    const std::vector<std::byte> data(3, std::byte{9});
    CArchive in = CArchive::ForLoading(data);
    std::vector<std::byte> target(5, std::byte{1});
    EXPECT_EQ(in.ReadAvailable(target), 3u);
    EXPECT_EQ(target[2], std::byte{9});
    EXPECT_EQ(target[3], std::byte{1});
}

}  // namespace
}  // namespace qv
