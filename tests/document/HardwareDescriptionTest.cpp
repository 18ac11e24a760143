#include "document/HardwareDescriptionFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

#include "document/QvDoc.h"
#include "document/TempDir.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

using Slots = std::array<std::uint32_t, 28>;

Slots SlotsOf(const HardwareDescription& d) {
    Slots s{};
    std::memcpy(s.data(), &d, sizeof d);
    return s;
}

std::uint32_t FloatBits(float f) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof f);
    return bits;
}

// A complete file: versions 11, 12, 13, port base 640, four presets, then the
// high-voltage calibration, the reserved value and the velocity coefficients.
std::vector<std::string> GoodItems() {
    return {"11",  "12",   "13",  "640", "1 2 3", "4 5 6", "7 8 9", "10 11 12 ; rest ignored",
            "900", "50.7", "1.5", "-30", "-7",    "0.25",  "0.0625"};
}

std::string Join(const std::vector<std::string>& lines, const std::string& eol = "\n") {
    std::string text;
    for (const auto& line : lines) {
        text += line + eol;
    }
    return text;
}

class HardwareDescriptionFile : public ::testing::Test {
protected:
    void SetUp() override { HardwareGlobals::Instance().Reset(); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    // Constructs the document from a qv.hdw holding text, as start-up does.
    std::unique_ptr<CQvDoc> Start(const std::string& text) {
        test::WriteText(path, text);
        return std::make_unique<CQvDoc>(ui, path);
    }

    void ExpectReadError() {
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text,
                  "Read error or wrong file:" + path + "\nDefault values assumed.");
        EXPECT_EQ(ui.Boxes()[0].caption, "Hardware Description File");
        EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    }

    test::TempDir dir;
    std::string path = dir / "qv.hdw";
    HeadlessUi ui;
};

TEST_F(HardwareDescriptionFile, DefaultsAreTheDocumentedValues) {
    const Slots s = SlotsOf(HardwareDescription::Defaults());
    // The floats as the nearest single-precision values of 1.4067, -31.57, 0.106, 0.014.
    // clang-format off
    const Slots want = {0, 0, 0, 4, 12, 25, 7, 21, 43, 7, 42, 90, 7, 83, 200, 0, 923, 47,
                        0x3FB40EBFu, 0xC1FC8F5Cu, 0, 0, 0, 0x3DD91687u, 0x3C656042u, 0, 0, 0};
    // clang-format on
    EXPECT_EQ(s, want);
}

TEST_F(HardwareDescriptionFile, MissingFileKeepsDefaults) {
    HardwareGlobals::Instance().portBase = 0x123;
    auto doc = std::make_unique<CQvDoc>(ui, path);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Can not open:" + path + "\nDefault values assumed.");
    EXPECT_EQ(ui.Boxes()[0].caption, "Hardware Description File");
    EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(HardwareGlobals::Instance().portBase, 0x300);
    EXPECT_EQ(SlotsOf(doc->Description()), SlotsOf(HardwareDescription::Defaults()));
    EXPECT_EQ(doc->ReadHardwareDescription(path), 1);
}

TEST_F(HardwareDescriptionFile, CompleteFileFillsEverySlot) {
    auto doc = Start(Join(GoodItems()));
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(HardwareGlobals::Instance().portBase, 0x280);
    // clang-format off
    const Slots want = {11, 12, 13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 900, 50,
                        FloatBits(1.5f), FloatBits(-30.0f), 0, 0, static_cast<std::uint32_t>(-7),
                        FloatBits(0.25f), FloatBits(0.0625f), 0, 0, 0};
    // clang-format on
    EXPECT_EQ(SlotsOf(doc->Description()), want);
    EXPECT_EQ(doc->ReadHardwareDescription(path), 0);
}

TEST_F(HardwareDescriptionFile, FifthLineWithTwoIntegersKeepsThePortBaseFromTheFile) {
    auto items = GoodItems();
    items[4] = "4 12";
    auto doc = Start(Join(items));
    ExpectReadError();
    EXPECT_EQ(HardwareGlobals::Instance().portBase, 0x280);
    EXPECT_EQ(SlotsOf(doc->Description()), SlotsOf(HardwareDescription::Defaults()));
}

TEST_F(HardwareDescriptionFile, ErrorBeforeThePortBaseKeeps0x300) {
    auto items = GoodItems();
    items[2] = "x3";
    auto doc = Start(Join(items));
    ExpectReadError();
    EXPECT_EQ(HardwareGlobals::Instance().portBase, 0x300);
}

TEST_F(HardwareDescriptionFile, ValuesAreTruncatedTowardZero) {
    auto items = GoodItems();
    items[0] = "-0.5";
    items[3] = "  66176.9 = 0x10280";  // leading blanks and trailing text are fine
    items[8] = "923.9";
    items[9] = "-47.9";
    std::istringstream in(Join(items));
    const auto r = ParseHardwareDescription(in, "qv.hdw");
    ASSERT_TRUE(r.complete) << r.message;
    EXPECT_EQ(r.record.HardwareVersion1, 0);
    EXPECT_EQ(r.portBase, 0x280);  // the low 16 bits
    EXPECT_EQ(r.record.Hv.HvUpperLimit, 923);
    EXPECT_EQ(r.record.Hv.HvLowerLimit, -47);
    EXPECT_EQ(TruncateToInt32(3e9f), std::numeric_limits<std::int32_t>::min());
}

TEST_F(HardwareDescriptionFile, CommentsAnywhereAndCrLfLines) {
    std::vector<std::string> lines = {";first", ";;second"};
    for (const auto& item : GoodItems()) {
        lines.push_back(item);
        lines.push_back("; after " + item);
    }
    lines.push_back("not an item: ignored");
    lines.push_back("");
    auto doc = Start(Join(lines, "\r\n"));
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(HardwareGlobals::Instance().portBase, 0x280);
    EXPECT_EQ(doc->Description().Hv.HvUpperLimit, 900);
    EXPECT_EQ(doc->Description().Velocity.VelocityCoefLow, 0.0625f);
}

// Each bad line is put in front of an item, so a reader that skipped it would
// still find all 15 items.
TEST_F(HardwareDescriptionFile, LinesThatAreNotItems) {
    struct Case {
        std::size_t item;
        std::string line;
    };
    const Case cases[] = {
        {9, " ; indented comment"},  // only a ';' in the first column is a comment
        {9, ""},                     // blank line
        {9, "\r"},                   // blank line of a CR LF file
        {12, "   "},
        {0, "v1"},
        {5, "1 2 x"},
        {14, "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ui.Clear();
        HardwareGlobals::Instance().Reset();
        auto items = GoodItems();
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(c.item), c.line);
        auto doc = Start(Join(items));
        ExpectReadError();
        EXPECT_EQ(SlotsOf(doc->Description()), SlotsOf(HardwareDescription::Defaults()));
        EXPECT_EQ(HardwareGlobals::Instance().portBase, c.item > 3 ? 0x280 : 0x300);
    }
}

TEST_F(HardwareDescriptionFile, FileEndingEarlyIsAReadError) {
    auto items = GoodItems();
    items.resize(14);
    auto doc = Start(Join(items) + ";trailing comment\n");
    ExpectReadError();
    EXPECT_EQ(SlotsOf(doc->Description()), SlotsOf(HardwareDescription::Defaults()));
}

TEST_F(HardwareDescriptionFile, DefaultPathIsBesideTheExecutable) {
    const std::string p = DefaultHardwareDescriptionPath();
    ASSERT_GE(p.size(), 7u);
    EXPECT_EQ(p.substr(p.size() - 7), "/qv.hdw");
    EXPECT_TRUE(
        std::filesystem::equivalent(std::filesystem::path(p).parent_path(),
                                    std::filesystem::canonical("/proc/self/exe").parent_path()));
}

}  // namespace
}  // namespace qv
