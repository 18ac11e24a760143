#include <unistd.h>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "EditorFixture.h"
#include "editors/ReferenceTable.h"
#include "editors/VibratorDlg.h"
#include "editors/VibratorReadouts.h"
#include "editors/VibratorTemplate.h"
#include "framework/NumberText.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- the register image ----

TEST(VibratorPacking, BiasTravelsWithItsOffsetInTwelveBits) {
    VibratorValues v;
    struct Case {
        int bias;
        std::uint8_t low;
        std::uint8_t nibble;
    };
    for (const Case c :
         {Case{-2048, 0x00, 0x0}, Case{2047, 0xFF, 0xF}, Case{0, 0x00, 0x8}, Case{-1, 0xFF, 0x7}}) {
        v.BiasDesired = c.bias;
        v.BiasCurrent = c.bias;
        const VibratorImage image = PackVibrator(v);
        EXPECT_EQ(image[12], c.low) << c.bias;
        EXPECT_EQ(image[13] & 0x0F, c.nibble) << c.bias;
        EXPECT_EQ(image[10], c.low) << c.bias;
        EXPECT_EQ(image[11], 0xC0 | c.nibble) << c.bias;
        const VibratorValues back = UnpackVibrator(image);
        EXPECT_EQ(back.BiasDesired, c.bias);
        EXPECT_EQ(back.BiasCurrent, c.bias);
    }
}

TEST(VibratorPacking, SpeedsTravelAsSpeedMinusOneInTheHighNibble) {
    VibratorValues v;
    v.GainSpeed = 1;
    v.AmplitudeSpeed = 15;
    v.BiasSpeed = 16;
    const VibratorImage image = PackVibrator(v);
    EXPECT_EQ(image[5] >> 4, 0);
    EXPECT_EQ(image[9] >> 4, 14);
    EXPECT_EQ(image[13] >> 4, 15);
    const VibratorValues back = UnpackVibrator(image);
    EXPECT_EQ(back.GainSpeed, 1);
    EXPECT_EQ(back.AmplitudeSpeed, 15);
    EXPECT_EQ(back.BiasSpeed, 16);  // nibble 15 reads as 16
}

TEST(VibratorPacking, WholeImageOfOneWorkingCopy) {
    VibratorValues v;
    v.GainCurrent = 1023;
    v.GainDesired = 0x2A5;
    v.GainSpeed = 3;
    v.AmplitudeCurrent = 0x155;
    v.AmplitudeDesired = 0x3FF;
    v.AmplitudeSpeed = 8;
    v.HighRange = 1;
    v.BiasCurrent = 100;
    v.BiasDesired = -300;
    v.BiasSpeed = 2;
    v.K = 2;
    v.L = 200;
    const VibratorImage image = PackVibrator(v);
    const Bytes expected{2,    200,  0xFF, 0xC3, 0xA5, 0x22, 0x55,
                         0xC1, 0xFF, 0x77, 0x64, 0xC8, 0xD4, 0x16};
    EXPECT_EQ(Bytes(image.begin(), image.end()), expected);
    const VibratorValues back = UnpackVibrator(image);
    EXPECT_EQ(back.GainCurrent, 1023);
    EXPECT_EQ(back.GainDesired, 0x2A5);
    EXPECT_EQ(back.AmplitudeCurrent, 0x155);
    EXPECT_EQ(back.AmplitudeDesired, 1023);
    EXPECT_EQ(back.HighRange, 1);
    EXPECT_EQ(back.BiasCurrent, 100);
    EXPECT_EQ(back.BiasDesired, -300);
    EXPECT_EQ(back.K, 2);
    EXPECT_EQ(back.L, 200);
}

TEST(VibratorPacking, HighRangeIsBit2OfR7AndNothingElse) {
    VibratorValues low;
    VibratorValues high = low;
    high.HighRange = 1;
    const VibratorImage a = PackVibrator(low);
    const VibratorImage b = PackVibrator(high);
    for (int i = 0; i < kVibratorImageLength; ++i) {
        EXPECT_EQ(a[i] ^ b[i], i == 9 ? 0x04 : 0) << "byte " << i;
    }
    VibratorImage other{};
    other[9] = 0xFB;  // every bit but the range
    EXPECT_EQ(UnpackVibrator(other).HighRange, 0);
}

TEST(VibratorPacking, ValuesAreCutToTheirFieldsAndOtherBitsIgnored) {
    VibratorValues v;
    v.GainDesired = 1024 + 5;
    v.K = 7;
    v.L = 256 + 9;
    const VibratorImage image = PackVibrator(v);
    EXPECT_EQ(image[0], 3);
    EXPECT_EQ(image[1], 9);
    EXPECT_EQ(image[4], 5);
    EXPECT_EQ(image[5] & 0x0F, 0);
    VibratorImage noisy{};
    noisy[0] = 0xFD;  // K bits 1..0 = 1
    noisy[3] = 0x3E;  // gain current high bits 2 plus noise
    EXPECT_EQ(UnpackVibrator(noisy).K, 1);
    EXPECT_EQ(UnpackVibrator(noisy).GainCurrent, 0x200);
}

// ---- read-outs ----

TEST(VibratorReadouts, FrequencyOfTheDividers) {
    EXPECT_EQ(FormatFloat(DriveFrequency(0, 0)), "0.357628");
    EXPECT_EQ(FormatFloat(DriveFrequency(0, 240)), "5.72205");
    EXPECT_EQ(FormatFloat(DriveFrequency(3, 255)), "52.3158");
}

TEST(VibratorReadouts, VelocityOfAStoredBlockUsesItsOwnRangeAndCoefficients) {
    VibratorBlock block{};
    block.AmplitudeDesired = 500;
    block.VelocityCoefHigh = 0.106f;
    block.VelocityCoefLow = 0.014f;
    block.HighRange = 1;
    EXPECT_EQ(VelocityText(BlockVelocity(block)), " 53.000");
    block.HighRange = 0;
    EXPECT_EQ(VelocityText(BlockVelocity(block)), "  7.000");
    block.HighRange = 5;  // any non-zero is the high range
    EXPECT_EQ(VelocityText(BlockVelocity(block)), " 53.000");
}

TEST(VibratorReadouts, CoefficientMessageText) {
    VibratorBlock block{};
    block.AmplitudeDesired = 100;
    block.VelocityCoefLow = 0.02f;
    EXPECT_EQ(CoefficientsDifferText(block),
              "File and hardware velocity coefficients are different.\n\n"
              "Correct the \"Desired\" & \"range\" parameters to achieve \n"
              "velocity of   2.000 mm/s  as it was in the file.");
    EXPECT_EQ(ReferenceTimeOutText(33), "Hardware Time Out: 33");
}

// ---- the dialog on the virtual card ----

class VibratorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        coefficients = HardwareDescription::Defaults().Velocity;
        block.VelocityCoefHigh = coefficients.VelocityCoefHigh;
        block.VelocityCoefLow = coefficients.VelocityCoefLow;
    }
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CVibratorDlg dialog(ui);
        dialog.m_pBlock = &block;
        dialog.m_pCoefficients = &coefficients;
        dialog.DoModal();
    }
    static CVibratorDlg& Editor(CDialog& d) { return static_cast<CVibratorDlg&>(d); }
    static void Type(CDialog& d, const std::vector<std::pair<int, const char*>>& entries) {
        for (const auto& [id, text] : entries) {
            d.TypeText(id, text);
        }
    }
    // Puts registers on the card behind the editor's back.
    void CardHolds(const VibratorValues& v) {
        const VibratorImage image = PackVibrator(v);
        CHardwarePort port;
        port.WriteCommand(kCmdWriteVibrator, image.data() + 2, kVibratorLength);
        port.WriteCommand(kCmdWriteDividers, image.data(), kDividersLength);
        recorder.Clear();
    }
    std::string WriteFile(std::size_t bytes, std::uint16_t word) {
        path = std::filesystem::temp_directory_path() /
               ("qv-vib-" + std::to_string(getpid()) + ".ref");
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            out.put(static_cast<char>(word & 0xFF));
            out.put(static_cast<char>(word >> 8));
        }
        if (bytes % 2 != 0) {
            out.put(0);
        }
        return path.string();
    }
    void TearDown() override {
        if (!path.empty()) {
            std::filesystem::remove(path);
        }
        EditorTest::TearDown();
    }

    VibratorBlock block{};
    VelocityCoefficients coefficients{};
    std::filesystem::path path;
};

const std::vector<int> kReadCommands{kCmdReadDividers, kCmdReadStatus, kCmdReadVibrator};

TEST_F(VibratorTest, OpeningReadsDividersThenRegistersAndShowsThemWithTheReadOuts) {
    VibratorValues v;
    v.GainCurrent = v.GainDesired = 700;
    v.AmplitudeCurrent = v.AmplitudeDesired = 500;
    v.HighRange = 1;
    v.BiasCurrent = v.BiasDesired = -1200;
    v.GainSpeed = v.AmplitudeSpeed = v.BiasSpeed = 16;  // immediate: no ramp to wait for
    v.K = 3;
    v.L = 255;
    CardHolds(v);
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_CURRENT), "700");
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_DESIRED), "500");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_CURRENT), "-1200");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "-1200");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_SPEED), "16");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_HIGH_RANGE), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), "52.3158");
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), " 53.000");
        EXPECT_EQ(d.GetDlgItemText(IDC_VIB_STATUS), "notLocked");
        EXPECT_EQ(d.GetDlgItemText(IDC_ROUNDING_SCOPE), "220");
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY_COEFFICIENTS), "0.106, 0.014");
        EXPECT_EQ(d.Control(IDC_BIAS_DESIRED_SPIN).spinLower, -2048);
        EXPECT_EQ(d.Control(IDC_BIAS_DESIRED_SPIN).spinUpper, 2047);
        EXPECT_EQ(d.Control(IDC_GAIN_SPEED_SPIN).spinLower, 1);
        EXPECT_EQ(d.Control(IDC_GAIN_SPEED_SPIN).spinUpper, 15);
        EXPECT_EQ(d.Control(IDC_DIVIDER_K_SPIN).spinUpper, 3);
        EXPECT_EQ(d.Control(IDC_ROUNDING_SCOPE_SPIN).spinUpper, 2047);
        EXPECT_FALSE(d.Control(IDC_VIB_TO_BUFFER).enabled);
    });
    EXPECT_EQ(recorder.Commands(), kReadCommands);
}

TEST_F(VibratorTest, BiasBoxTakesASignTheOthersDigitsOnly) {
    Run([](CDialog& d) {
        d.TypeText(IDC_BIAS_DESIRED, "-12");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "-12");
        d.TypeText(IDC_GAIN_DESIRED, "-12");
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_DESIRED), "12");
        d.TypeText(IDC_ROUNDING_SCOPE, "-3");
        EXPECT_EQ(d.GetDlgItemText(IDC_ROUNDING_SCOPE), "3");
    });
}

TEST_F(VibratorTest, WriteSendsRegistersThenDividersAndReadsBack) {
    Run([this](CDialog& d) {
        recorder.Clear();
        Type(d, {{IDC_GAIN_DESIRED, "1023"},
                 {IDC_GAIN_SPEED, "1"},
                 {IDC_AMPLITUDE_DESIRED, "300"},
                 {IDC_AMPLITUDE_SPEED, "15"},
                 {IDC_BIAS_DESIRED, "-2048"},
                 {IDC_BIAS_SPEED, "2"},
                 {IDC_DIVIDER_K, "1"},
                 {IDC_DIVIDER_L, "250"}});
        if (d.IsDlgButtonChecked(IDC_HIGH_RANGE) == 0) {
            d.ClickCheck(IDC_HIGH_RANGE);
        }
        d.OnCommand(IDC_VIB_TO_HARDWARE);
        const auto writes = recorder.Writes();
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].command, kCmdWriteVibrator);
        ASSERT_EQ(writes[0].bytes.size(), 12u);
        EXPECT_EQ(writes[0].bytes[2], 0xFF);  // gain desired low
        EXPECT_EQ(writes[0].bytes[3], 0x03);  // speed 1: nibble 0
        EXPECT_EQ(writes[0].bytes[6], 300 & 0xFF);
        EXPECT_EQ(writes[0].bytes[7], 0xE0 | 0x04 | 1);  // speed 15, high range, 300 >> 8
        EXPECT_EQ(writes[0].bytes[10], 0x00);
        EXPECT_EQ(writes[0].bytes[11], 0x10);
        EXPECT_EQ(writes[1].command, kCmdWriteDividers);
        EXPECT_EQ(writes[1].bytes, (Bytes{1, 250}));
        const auto commands = recorder.Commands();
        EXPECT_EQ(std::vector<int>(commands.end() - 3, commands.end()), kReadCommands);
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "250");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), FormatFloat(DriveFrequency(1, 250)));
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_DESIRED), "1023");
    });
    // The card ramps toward the new values and the next opening finds them.
    clock.Advance(30000);
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_DESIRED), "1023");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "-2048");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_CURRENT), "-2048");
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_CURRENT), "300");
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), " 31.800");
    });
}

// A bias of 3000 would travel as 952 (-1096): it must never reach the card.
TEST_F(VibratorTest, RefusedValueWritesNothing) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_BIAS_DESIRED, "3000");
        recorder.Clear();
        d.OnCommand(IDC_VIB_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_BIAS_DESIRED);
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "3000");
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between -2048 and 2047.");
}

// Nibble 15 from the card shows as 16, outside the box's 1..15 but inside its
// field: a write tells the range message once and still sends every box, also
// those exchanged after the speed; Cosine still sends its table. A value its
// field cannot hold is still refused, 16 or not.
TEST_F(VibratorTest, CardSpeedSixteenHasItsMessageAndIsWrittenWithTheOtherBoxes) {
    VibratorValues v;
    v.GainSpeed = v.AmplitudeSpeed = 16;
    v.BiasSpeed = 4;
    CardHolds(v);
    Run([this](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_SPEED), "16");
        Type(d, {{IDC_AMPLITUDE_DESIRED, "300"},
                 {IDC_BIAS_DESIRED, "-700"},
                 {IDC_GAIN_DESIRED, "500"},
                 {IDC_DIVIDER_L, "100"}});
        d.OnCommand(IDC_VIB_TO_HARDWARE);
        EXPECT_EQ(d.FocusedControl(), IDC_AMPLITUDE_SPEED);
        const sim::VibratorRegisters& drive = card->Card().Vibrator();
        EXPECT_EQ(drive.Amplitude().Speed(), 16);
        EXPECT_EQ(drive.Amplitude().Current(), 300);  // immediate change
        EXPECT_EQ(drive.Bias().Desired(), 2048 - 700);
        EXPECT_EQ(drive.Bias().Speed(), 4);
        EXPECT_EQ(drive.Gain().Desired(), 500);
        EXPECT_EQ(drive.Gain().Speed(), 16);
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "100");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), FormatFloat(DriveFrequency(0, 100)));
        ASSERT_EQ(ui.Boxes().size(), 1u);

        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_COSINE);
        ASSERT_EQ(recorder.Writes().size(), 1u);
        EXPECT_EQ(recorder.Writes()[0].command, kCmdWriteReference);
        EXPECT_EQ(card->Card().Reference()[0], 4015);
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_SPEED), "16");

        d.TypeText(IDC_BIAS_DESIRED, "3000");
        recorder.Clear();
        d.OnCommand(IDC_VIB_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_BIAS_DESIRED);
    });
    ASSERT_EQ(ui.Boxes().size(), 3u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 1 and 15.");
    EXPECT_EQ(ui.Boxes()[1].text, "Please enter an integer between 1 and 15.");
    EXPECT_EQ(ui.Boxes()[2].text, "Please enter an integer between -2048 and 2047.");
}

TEST_F(VibratorTest, HighRangeTogglesTheVelocityAtOnceWithoutTheCard) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_AMPLITUDE_DESIRED, "500");
        if (d.IsDlgButtonChecked(IDC_HIGH_RANGE) != 0) {
            d.ClickCheck(IDC_HIGH_RANGE);
        }
        recorder.Clear();
        d.ClickCheck(IDC_HIGH_RANGE);
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), " 53.000");
        d.ClickCheck(IDC_HIGH_RANGE);
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), "  7.000");
        EXPECT_TRUE(recorder.entries.empty());
    });
}

TEST_F(VibratorTest, FrequencyPreviewFollowsTheSpinAndStopsAtTheEnds) {
    Run([this](CDialog& d) {
        recorder.Clear();
        Type(d, {{IDC_DIVIDER_K, "2"}, {IDC_DIVIDER_L, "255"}});
        d.OnKillFocus(IDC_DIVIDER_L);
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), FormatFloat(DriveFrequency(2, 255)));
        d.ClickSpin(IDC_DIVIDER_K_SPIN, +1);
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_K), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), "52.3158");
        d.ClickSpin(IDC_DIVIDER_K_SPIN, +1);  // past 3: the preview stays at K = 3
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_K), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), "52.3158");
        d.ClickSpin(IDC_DIVIDER_L_SPIN, +1);  // past 255
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), "52.3158");
        d.ClickSpin(IDC_DIVIDER_L_SPIN, -15);
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "240");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), FormatFloat(DriveFrequency(3, 240)));
        EXPECT_TRUE(recorder.entries.empty());
    });
}

TEST_F(VibratorTest, VelocityPreviewFollowsTheAmplitudeSpin) {
    Run([](CDialog& d) {
        if (d.IsDlgButtonChecked(IDC_HIGH_RANGE) == 0) {
            d.ClickCheck(IDC_HIGH_RANGE);
        }
        d.TypeText(IDC_AMPLITUDE_DESIRED, "1000");
        d.OnKillFocus(IDC_AMPLITUDE_DESIRED);
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), "106.000");
        d.ClickSpin(IDC_AMPLITUDE_DESIRED_SPIN, 23);
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_DESIRED), "1023");
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), VelocityText(0.106f * 1023));
        d.ClickSpin(IDC_AMPLITUDE_DESIRED_SPIN, 1);  // past 1023 counts as no step
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), VelocityText(0.106f * 1023));
    });
}

// A refused entry elsewhere stops the preview: the typed text stays.
TEST_F(VibratorTest, PreviewWithARefusedEntryKeepsTheBoxes) {
    Run([](CDialog& d) {
        Type(d, {{IDC_GAIN_DESIRED, "2000"}, {IDC_DIVIDER_L, "17"}});
        d.OnKillFocus(IDC_DIVIDER_L);
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "17");
        EXPECT_EQ(d.FocusedControl(), IDC_GAIN_DESIRED);
    });
    EXPECT_EQ(ui.Boxes().size(), 1u);
}

TEST_F(VibratorTest, BufferLoadsTheDesiredValuesSilentlyWhenCoefficientsAgree) {
    block.GainDesired = 400;
    block.AmplitudeDesired = 500;
    block.HighRange = 7;
    block.BiasDesired = -5;
    block.K = 2;  // neither the card's 0 nor L
    block.L = 100;
    Run([this](CDialog& d) {
        d.TypeText(IDC_GAIN_SPEED, "4");
        recorder.Clear();
        d.OnCommand(IDC_VIB_FROM_BUFFER);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_DESIRED), "400");
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_DESIRED), "500");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "-5");
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_K), "2");
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "100");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_HIGH_RANGE), 1);
        EXPECT_EQ(Editor(d).HighRange, 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_SPEED), "4");  // not in the block
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), " 53.000");
        EXPECT_EQ(d.GetDlgItemText(IDC_FREQUENCY), FormatFloat(DriveFrequency(2, 100)));
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

// Either coefficient alone makes the difference.
TEST_F(VibratorTest, BufferWithAnotherCoefficientOfEitherRangeWarnsWithTheBlocksOwnVelocity) {
    block.AmplitudeDesired = 500;
    block.HighRange = 0;
    block.VelocityCoefLow = 0.02f;
    Run([this](CDialog& d) {
        d.OnCommand(IDC_VIB_FROM_BUFFER);
        // The box shows what the hardware makes of it: 500 x 0.014.
        EXPECT_EQ(d.GetDlgItemText(IDC_VELOCITY), "  7.000");
        block.VelocityCoefLow = coefficients.VelocityCoefLow;
        block.VelocityCoefHigh = 0.2f;
        block.HighRange = 1;
        d.OnCommand(IDC_VIB_FROM_BUFFER);
    });
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_NE(ui.Boxes()[0].text.find("velocity of  10.000 mm/s  as it was"), std::string::npos);
    EXPECT_EQ(ui.Boxes()[0].caption, "");
    EXPECT_EQ(ui.Boxes()[1].text, CoefficientsDifferText(block));
    EXPECT_NE(ui.Boxes()[1].text.find("velocity of 100.000 mm/s  as it was"), std::string::npos);
}

TEST_F(VibratorTest, CaptureStoresTheSixFieldsAndTheCoefficientsBitForBit) {
    VibratorValues v;
    v.GainDesired = 321;
    v.AmplitudeDesired = 654;
    v.HighRange = 1;
    v.BiasDesired = -777;
    v.K = 2;
    v.L = 17;
    v.GainSpeed = v.AmplitudeSpeed = v.BiasSpeed = 9;
    CardHolds(v);
    coefficients.VelocityCoefHigh = std::bit_cast<float>(0x7FA00001u);  // a NaN with a payload
    coefficients.VelocityCoefLow = std::bit_cast<float>(0x00000001u);   // denormal
    block = VibratorBlock{};
    CVibratorDlg editor(ui);
    editor.m_pBlock = &block;
    editor.m_pCoefficients = &coefficients;
    EXPECT_EQ(editor.CaptureToBuffer(), 0);
    EXPECT_EQ(block.GainDesired, 321);
    EXPECT_EQ(block.AmplitudeDesired, 654);
    EXPECT_EQ(block.HighRange, 1);
    EXPECT_EQ(block.BiasDesired, -777);
    EXPECT_EQ(block.K, 2);
    EXPECT_EQ(block.L, 17);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(block.VelocityCoefHigh), 0x7FA00001u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(block.VelocityCoefLow), 0x00000001u);
    EXPECT_EQ(recorder.Commands(), kReadCommands);
    EXPECT_TRUE(recorder.Writes().empty());
}

TEST_F(VibratorTest, FailedCaptureLeavesTheBlockAsItWas) {
    RemoveCard();
    block.GainDesired = 11;
    const VibratorBlock before = block;
    CVibratorDlg editor(ui);
    editor.m_pBlock = &block;
    editor.m_pCoefficients = &coefficients;
    EXPECT_EQ(editor.CaptureToBuffer(), 1);
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
    EXPECT_EQ(editor.StatusText(), "TimOut:25");
}

// Without a card only read 2's number shows; the initial copy stays in the boxes.
TEST_F(VibratorTest, WithoutACardTheStatusShowsReadTwosNumber) {
    RemoveCard();
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_VIB_STATUS), "TimOut:25");
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVIDER_L), "240");
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN_SPEED), "15");
        EXPECT_EQ(d.GetDlgItemText(IDC_BIAS_DESIRED), "0");
        EXPECT_TRUE(d.IsRunning());
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

// ---- the reference waveform ----

TEST_F(VibratorTest, CosineSendsTheTableInOneWriteThenTheLockCheck) {
    Run([this](CDialog& d) {
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_COSINE);
        ASSERT_EQ(recorder.entries.size(), 3u);
        const auto& table = recorder.entries[0];
        EXPECT_EQ(table.command, kCmdWriteReference);
        const ReferenceWire expected = EncodeReference(RoundedTriangle(CornerShape::Cosine, 220));
        EXPECT_EQ(table.bytes, Bytes(expected.begin(), expected.end()));
        EXPECT_EQ(recorder.entries[1].command, kCmdReadStatus);
        EXPECT_EQ(recorder.entries[2].command, kCmdLockCheck);
        EXPECT_TRUE(recorder.entries[2].bytes.empty());
        EXPECT_EQ(d.GetDlgItemText(IDC_VIB_STATUS), "notLocked");
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_PARABOLA);
        const ReferenceWire parabola = EncodeReference(RoundedTriangle(CornerShape::Parabola, 220));
        EXPECT_EQ(recorder.entries[0].bytes, Bytes(parabola.begin(), parabola.end()));
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

// The interferometer on Qv2 counts in proportion to the speed: after "Cosine"
// the card's sweep slows down into its turning points instead of a sharp corner.
TEST_F(VibratorTest, CosineRoundsTheTurningPointsOfTheCardsSweep) {
    Run([](CDialog& d) { d.OnCommand(IDC_REFERENCE_COSINE); });
    CHardwarePort port;
    const std::uint8_t start[] = {0x30, 0x00};
    const std::uint8_t stop[] = {0x10, 0x00};
    port.WriteCommand(kCmdWriteRunControl, start, 2);
    clock.Advance(40000);
    port.WriteCommand(kCmdWriteRunControl, stop, 2);
    clock.Advance(1000);
    std::vector<std::uint32_t> qv2(4096);
    ASSERT_EQ(port.ReadSpectrum(kSelectQv2, qv2.data()), 0);
    ASSERT_GT(qv2[0], 200u);
    const ReferenceSamples t = RoundedTriangle(CornerShape::Cosine, 220);
    const auto speed = [&t](int c) { return (t[2 * c] + t[2 * c + 1]) / 2.0 - 2047.5; };
    const double ratio = static_cast<double>(qv2[50]) / qv2[0];
    EXPECT_NEAR(ratio, speed(50) / speed(0), 0.01);
    EXPECT_GT(ratio, 1947.0 / 2047.0 + 0.02);  // the plain triangle's corner
    EXPECT_NEAR(static_cast<double>(qv2[1000]) / qv2[0], speed(1000) / speed(0), 0.01);
}

TEST_F(VibratorTest, ScopeAboveTheRangeGeneratesWith2047AndShowsIt) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_ROUNDING_SCOPE, "3000");
        d.TypeText(IDC_GAIN_CURRENT, "");  // read-only: nothing typed arrives
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_PARABOLA);
        const ReferenceWire expected =
            EncodeReference(RoundedTriangle(CornerShape::Parabola, 2047));
        ASSERT_FALSE(recorder.entries.empty());
        EXPECT_EQ(recorder.entries[0].bytes, Bytes(expected.begin(), expected.end()));
        EXPECT_EQ(d.GetDlgItemText(IDC_ROUNDING_SCOPE), "2047");
    });
}

TEST_F(VibratorTest, LockedCardIsReportedAfterTheTableWasWritten) {
    card->SetLocked(true);
    Run([this](CDialog& d) {
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_COSINE);
        EXPECT_EQ(recorder.Writes().size(), 1u);
        EXPECT_EQ(d.GetDlgItemText(IDC_VIB_STATUS), " !!Locked");
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Hardware Locked!!");
}

TEST_F(VibratorTest, FailedTableWriteShowsTheTimeOutAndSkipsTheLockCheck) {
    RemoveCard();
    Run([this](CDialog& d) {
        d.TypeText(IDC_AMPLITUDE_DESIRED, "12");
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_COSINE);
        ASSERT_EQ(recorder.entries.size(), 1u);
        EXPECT_EQ(recorder.entries[0].command, kCmdWriteReference);
        EXPECT_EQ(Editor(d).LastError(), 33);
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_DESIRED), "12");
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Hardware Time Out: 33");
}

// A refused entry sends no table and leaves the box as typed.
TEST_F(VibratorTest, CosineWithARefusedEntrySendsNothing) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_AMPLITUDE_DESIRED, "2000");
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_COSINE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPLITUDE_DESIRED), "2000");
    });
}

TEST_F(VibratorTest, LoadAsksForAReferenceFileAndCancelDoesNothing) {
    Run([this](CDialog& d) {
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_LOAD);
        EXPECT_TRUE(recorder.entries.empty());
    });
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    const FileDialogRequest& request = ui.FileDialogs()[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filter, "References (.ref,.bin)|*.ref; *.bin||");
    EXPECT_EQ(request.defaultExtension, "");
    EXPECT_EQ(request.initialPath, "");
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(VibratorTest, LoadRejectsMissingAndShortFilesWithoutTheCard) {
    ui.QueueFile("/nonexistent/qv/none.ref");
    ui.QueueFile(WriteFile(16383, 0));
    Run([this](CDialog& d) {
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_LOAD);
        d.OnCommand(IDC_REFERENCE_LOAD);
        EXPECT_TRUE(recorder.entries.empty());
    });
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text, "Can not open file!");
    EXPECT_EQ(ui.Boxes()[1].text, "File to short?!");
}

TEST_F(VibratorTest, LoadSendsTheFirst16384BytesWithoutBits15To12) {
    ui.QueueFile(WriteFile(20000, 0x1FFF));
    Run([this](CDialog& d) {
        recorder.Clear();
        d.OnCommand(IDC_REFERENCE_LOAD);
        ASSERT_EQ(recorder.entries.size(), 3u);
        const Bytes& wire = recorder.entries[0].bytes;
        ASSERT_EQ(wire.size(), 16384u);
        EXPECT_EQ(wire, Bytes(16384, 0xFC));
        EXPECT_EQ(recorder.entries[2].command, kCmdLockCheck);
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

}  // namespace
}  // namespace qv::test
