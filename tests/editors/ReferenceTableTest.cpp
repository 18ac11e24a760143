#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "editors/ReferenceFile.h"
#include "editors/ReferenceTable.h"

namespace qv::test {
namespace {

void ExpectSymmetricAndFalling(const ReferenceSamples& t) {
    for (int i = 0; i < kReferenceSamples; ++i) {
        ASSERT_EQ(t[i], t[kReferenceSamples - 1 - i]) << "channel " << i;
    }
    for (int i = 1; i < kReferenceSamples / 2; ++i) {
        ASSERT_LE(t[i], t[i - 1]) << "rises at channel " << i;
    }
}

int Minimum(const ReferenceSamples& t) {
    return *std::min_element(t.begin(), t.end());
}
int Maximum(const ReferenceSamples& t) {
    return *std::max_element(t.begin(), t.end());
}

TEST(RoundedTriangle, CosineWithTheDefaultScope) {
    const ReferenceSamples t = RoundedTriangle(CornerShape::Cosine, 220);
    EXPECT_EQ(t[0], 4015);
    EXPECT_EQ(t[219], 3876);
    EXPECT_EQ(t[220], 3875);
    EXPECT_EQ(Minimum(t), 80);
    EXPECT_EQ(t[4095], 80);
    EXPECT_EQ(t[4096], 80);
    ExpectSymmetricAndFalling(t);
}

TEST(RoundedTriangle, ParabolaWithTheDefaultScope) {
    const ReferenceSamples t = RoundedTriangle(CornerShape::Parabola, 220);
    EXPECT_EQ(t[0], 3985);
    EXPECT_EQ(t[220], 3875);
    EXPECT_EQ(Minimum(t), 110);
    ExpectSymmetricAndFalling(t);
}

TEST(RoundedTriangle, WidestScopeLeavesTwoEdgeChannelsEachWay) {
    const ReferenceSamples cosine = RoundedTriangle(CornerShape::Cosine, 2047);
    EXPECT_EQ(Minimum(cosine), 744);
    EXPECT_EQ(Maximum(cosine), 3351);
    const ReferenceSamples parabola = RoundedTriangle(CornerShape::Parabola, 2047);
    EXPECT_EQ(Minimum(parabola), 1024);
    EXPECT_EQ(Maximum(parabola), 3071);
    for (const ReferenceSamples* t : {&cosine, &parabola}) {
        EXPECT_EQ((*t)[2047], 2048);
        EXPECT_EQ((*t)[2048], 2047);
        ExpectSymmetricAndFalling(*t);
    }
}

TEST(RoundedTriangle, ScopeZeroIsThePlainTriangleAndScopesAreClamped) {
    for (CornerShape shape : {CornerShape::Cosine, CornerShape::Parabola}) {
        const ReferenceSamples t = RoundedTriangle(shape, 0);
        EXPECT_EQ(t[0], 4095);
        EXPECT_EQ(t[1000], 3095);
        EXPECT_EQ(t[4095], 0);
        EXPECT_EQ(t[4096], 0);
        EXPECT_EQ(t[5000], 904);
        EXPECT_EQ(t[8191], 4095);
        EXPECT_EQ(RoundedTriangle(shape, -5), t);
        EXPECT_EQ(RoundedTriangle(shape, 3000), RoundedTriangle(shape, 2047));
    }
    EXPECT_EQ(ClampRoundingScope(3000), 2047);
    EXPECT_EQ(ClampRoundingScope(-1), 0);
    EXPECT_EQ(ClampRoundingScope(220), 220);
}

TEST(ReferenceWireForm, SixBitsPerByteInBits7To2) {
    ReferenceSamples t{};
    t[0] = 0xFFF;
    t[1] = 0x03F;  // low six bits only
    t[2] = 0xFC0;  // high six bits only
    t[3] = 0x001;
    const ReferenceWire wire = EncodeReference(t);
    EXPECT_EQ(std::vector<int>(wire.begin(), wire.begin() + 8),
              (std::vector<int>{0xFC, 0xFC, 0xFC, 0x00, 0x00, 0xFC, 0x04, 0x00}));
    EXPECT_EQ(wire[8], 0);
}

TEST(ReferenceWireForm, FileWordsLoseBits15To12) {
    std::array<std::uint8_t, kReferenceWireBytes> file{};
    file[0] = 0xFF;  // 0x1FFF
    file[1] = 0x1F;
    file[2] = 0x34;  // 0xF234: sample 0x234
    file[3] = 0xF2;
    const ReferenceWire wire = WireFromFileWords(file);
    EXPECT_EQ(wire[0], 0xFC);
    EXPECT_EQ(wire[1], 0xFC);
    EXPECT_EQ(wire[2], (0x234 * 4) & 0xFF);
    EXPECT_EQ(wire[3], (0x234 / 16) & 0xFC);
}

class ReferenceFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, std::size_t bytes, std::uint8_t fill) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("qv-ref-" + std::to_string(getpid()) + "-" + name);
        std::ofstream out(path, std::ios::binary);
        const std::vector<char> data(bytes, static_cast<char>(fill));
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        m_paths.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& p : m_paths) {
            std::filesystem::remove(p);
        }
    }
    std::vector<std::filesystem::path> m_paths;
};

TEST_F(ReferenceFileTest, ShortMissingAndLongFiles) {
    EXPECT_EQ(ReadReferenceFile(Write("short.ref", 16383, 0)).outcome,
              ReferenceFile::Outcome::TooShort);
    EXPECT_EQ(ReadReferenceFile("/nonexistent/dir/x.ref").outcome,
              ReferenceFile::Outcome::CannotOpen);
    const std::string exact = Write("exact.bin", 16384, 0x11);
    const std::string longer = Write("long.bin", 20000, 0x11);
    {
        std::fstream f(longer, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(16384);
        f.put(static_cast<char>(0x77));  // beyond the table: must not matter
    }
    const ReferenceFile a = ReadReferenceFile(exact);
    const ReferenceFile b = ReadReferenceFile(longer);
    ASSERT_EQ(b.outcome, ReferenceFile::Outcome::Read);
    EXPECT_EQ(a.wire, b.wire);
    EXPECT_EQ(b.wire[0], (0x111 * 4) & 0xFF);
    EXPECT_EQ(b.wire[1], (0x111 / 16) & 0xFC);
}

}  // namespace
}  // namespace qv::test
