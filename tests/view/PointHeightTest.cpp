#include "view/PointHeight.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qv {
namespace {

TEST(PointHeightTest, SumAtItsMaximumIsAtTheTop) {
    EXPECT_EQ(AaPointY(5000.0, 5000), 0);
}

TEST(PointHeightTest, EmptyChannelIsAtTheBottom) {
    EXPECT_EQ(AaPointY(0.0, 1), 768);
    EXPECT_EQ(QvPointY(0, 0, 1), 768);
}

TEST(PointHeightTest, FractionIsTruncatedTowardZero) {
    // 1/3 of 768 is 256 exactly; 1/7 of 768 is 109.7, which becomes 109.
    EXPECT_EQ(AaPointY(1.0, 3), 512);
    EXPECT_EQ(AaPointY(1.0, 7), 768 - 109);
}

TEST(PointHeightTest, SumBeyond32BitsDoesNotOverflow) {
    const double sum = 4294967295.0 + 4294967295.0;
    EXPECT_EQ(AaPointY(sum, 4294967294u), 768 - 1536);
}

TEST(PointHeightTest, WrappedSumFarAboveItsMaximumStaysDefined) {
    EXPECT_LT(AaPointY(8589934590.0, 1), -1000000);
}

TEST(PointHeightTest, QvRunsFromItsMinimumToItsMaximum) {
    EXPECT_EQ(QvPointY(900, 900, 100), 768);
    EXPECT_EQ(QvPointY(1000, 900, 100), 0);
    EXPECT_EQ(QvPointY(950, 900, 100), 384);
}

TEST(PointHeightTest, FlatQvSpectrumIsAtTheBottom) {
    EXPECT_EQ(QvPointY(1234, 1234, 1), 768);
}

}  // namespace
}  // namespace qv
