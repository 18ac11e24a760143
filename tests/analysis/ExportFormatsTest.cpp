#include "analysis/ExportFormats.h"

#include <gtest/gtest.h>

namespace qv::analysis {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Repeat(const std::string& line, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

// A few counts in known channels, zeros elsewhere.
Measurement Sample() {
    Measurement m;
    m.Remark = "Fe foil 25 \xB5m\r\nroom <temp> & air";
    m.Qv1[0] = 11;
    m.Qv1[1] = 7;
    m.Qv1[2047] = 5;
    m.Qv1[2048] = 6;
    m.Qv1[4095] = 9;
    m.Qv2[1] = 3;
    m.AaAntiCoinc()[2] = 40;
    m.AaCoinc()[2] = 2;
    m.AaAntiCoinc()[4095] = 300000000u;
    m.AaCoinc()[4095] = 4000000000u;
    m.Settings.CountersTimers.AaLiveTime = 3600;
    m.Settings.CountersTimers.AaDeadTime = 42;
    return m;
}

TEST(OneLineAscii, RunsOfOtherBytesBecomeOneBlank) {
    EXPECT_EQ(OneLineAscii("  a\r\n\tb \xFF c  "), "a b c");
    EXPECT_EQ(OneLineAscii(""), "");
}

TEST(ExportFormats, PlainAsciiIsOneCountPerLine) {
    const std::string expected =
        "11\n7\n" + Repeat("0\n", 2045) + "5\n6\n" + Repeat("0\n", 2046) + "9\n";
    EXPECT_EQ(PlainAscii(Sample(), SpectrumChoice::Qv1), expected);
}

TEST(ExportFormats, CsvHasAColumnPerSpectrumAndTheWrappingSum) {
    const std::string expected =
        "channel,Qv1,Qv2,AaAntiCoinc,AaCoinc,AaSum\r\n"
        "0,11,0,0,0,0\r\n"
        "1,7,3,0,0,0\r\n"
        "2,0,0,40,2,42\r\n";
    const std::string csv = Csv(Sample());
    EXPECT_EQ(csv.substr(0, expected.size()), expected);
    EXPECT_TRUE(EndsWith(csv, "4094,0,0,0,0,0\r\n4095,9,0,300000000,4000000000,5032704\r\n"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4097);
}

TEST(ExportFormats, Ws5HeaderThenCounts) {
    const std::string expected =
        "<WS5>\r\n"
        "<REMARK>Fe foil 25 m room &lt;temp&gt; &amp; air</REMARK>\r\n"
        "<SPECTRUM>Qv2</SPECTRUM>\r\n"
        "<CHANNELS>4096</CHANNELS>\r\n"
        "</WS5>\r\n"
        "0\r\n3\r\n" +
        Repeat("0\r\n", 4094);
    EXPECT_EQ(Ws5(Sample(), SpectrumChoice::Qv2), expected);
}

TEST(ExportFormats, OrtecSpeWithLiveAndRealTime) {
    const std::string expected =
        "$SPEC_ID:\r\n"
        "Fe foil 25 m room <temp> & air\r\n"
        "$SPEC_REM:\r\n"
        "DET# 1\r\n"
        "DETDESC# qv AaSum\r\n"
        "AP# qvtool\r\n"
        "$DATE_MEA:\r\n"
        "03/14/2024 09:26:53\r\n"
        "$MEAS_TIM:\r\n"
        "3600 3642\r\n"
        "$DATA:\r\n"
        "0 4095\r\n" +
        Repeat("       0\r\n", 2) + "      42\r\n" + Repeat("       0\r\n", 4092) + " 5032704\r\n";
    EXPECT_EQ(OrtecSpe(Sample(), SpectrumChoice::AaSum, "03/14/2024 09:26:53"), expected);
}

TEST(ExportFormats, OrtecSpeNamesAnUnnamedSample) {
    Measurement m;
    EXPECT_EQ(OrtecSpe(m, SpectrumChoice::AaCoinc, "01/01/2000 00:00:00").substr(0, 52),
              "$SPEC_ID:\r\nNo sample description was entered.\r\n$SPEC");
}

TEST(ExportFormats, VelocityAsciiFoldsOntoAnAscendingAxis) {
    Calibration cal;
    cal.channels = 4096;
    cal.foldingPoint = 2047.5;
    cal.zeroChannel = 1023.5;
    cal.velocityPerChannel = 0.01;
    cal.maxVelocity = 10.24;
    cal.minVelocity = -10.24;
    // Folded point i pairs channels i and 4095 - i, at (1023.5 - i) * 0.01 mm/s.
    std::string expected =
        "# remark: Fe foil 25 \u00b5m\n"
        "# remark: room <temp> & air\n"
        "# spectrum: Qv1\n"
        "# calibration: day.cal.json\n"
        "# folding point: 2047.500\n"
        "# zero channel: 1023.500\n"
        "# velocity per channel: 0.010000 mm/s\n"
        "# maximum velocity: 10.24000 mm/s\n"
        "# velocity/(mm/s) counts\n"
        "-10.23500 11\n";
    const std::string text = VelocityAscii(Sample(), SpectrumChoice::Qv1, cal, "day.cal.json");
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_TRUE(EndsWith(text, "\n10.22500 7\n10.23500 20\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9 + 2048);
}

}  // namespace
}  // namespace qv::analysis
