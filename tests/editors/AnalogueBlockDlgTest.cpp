#include <cstring>
#include <tuple>

#include "EditorFixture.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AnalogueBlockTemplate.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- The register layout, byte for byte ----

TEST(AnalogueCodes, EachTableHoldsBothWays) {
    const std::uint8_t signalCodes[] = {3, 1, 2, 0};
    const std::uint8_t triggerCodes[] = {0, 2, 1, 3};
    for (std::int32_t tau = 1; tau <= 4; ++tau) {
        EXPECT_EQ(SignalTauCode(tau), signalCodes[tau - 1]) << tau;
        EXPECT_EQ(TriggerTauCode(tau), triggerCodes[tau - 1]) << tau;
    }
    const std::uint8_t testOutCodes[] = {0, 3, 1, 2};
    for (std::int32_t out = 0; out <= 3; ++out) {
        EXPECT_EQ(TestOutCode(out), testOutCodes[out]) << out;
    }
    // Read back by code 0, 1, 2, 3.
    const std::int32_t signalByCode[] = {4, 2, 3, 1};
    const std::int32_t triggerByCode[] = {1, 3, 2, 4};
    const std::int32_t testOutByCode[] = {0, 2, 3, 1};
    for (std::uint8_t code = 0; code < 4; ++code) {
        EXPECT_EQ(SignalTauOfCode(code), signalByCode[code]) << int(code);
        EXPECT_EQ(TriggerTauOfCode(code), triggerByCode[code]) << int(code);
        EXPECT_EQ(TestOutOfCode(code), testOutByCode[code]) << int(code);
    }
}

// A working copy with nothing set: InputB, both taus on code 0, TestOut 0.
AnalogueValues Quiet() {
    AnalogueValues v;
    v.InputSelect = 1;
    v.SignalTau = 4;
    v.TriggerTau = 1;
    return v;
}

struct FieldCase {
    const char* name;
    std::int32_t AnalogueValues::*member;
    std::int32_t value;
    Bytes expected;  // R0..R14
};

// One member at a time lands in its own bits and nowhere else, cut to its width.
TEST(AnaloguePacking, EachFieldLandsInItsBitsOnly) {
    using V = AnalogueValues;
    const std::vector<FieldCase> cases = {
        {"InputA", &V::InputSelect, 0, {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Invert", &V::Invert, 1, {0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"TestOut 1", &V::TestOut, 1, {0x0C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"TestOut 3", &V::TestOut, 3, {0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"SignalTau 2", &V::SignalTau, 2, {0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"TriggerTau 4", &V::TriggerTau, 4, {0xC0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Gain 127", &V::Gain, 127, {0, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Gain cut", &V::Gain, 128 + 5, {0, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"AmpAnalUp",
         &V::AmpAnalUpLimit,
         0x2A5,
         {0, 0, 0xA5, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"AmpAnalUp cut",
         &V::AmpAnalUpLimit,
         0x7FF,
         {0, 0, 0xFF, 0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"AmpAnalLow",
         &V::AmpAnalLowLimit,
         0x15A,
         {0, 0, 0, 0, 0x5A, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"SnglChnlUp",
         &V::SnglChnlUpLimit,
         4095,
         {0, 0, 0, 0, 0, 0, 0xFF, 0x0F, 0, 0, 0, 0, 0, 0, 0}},
        {"SnglChnlUp cut",
         &V::SnglChnlUpLimit,
         0x1ABC,
         {0, 0, 0, 0, 0, 0, 0xBC, 0x0A, 0, 0, 0, 0, 0, 0, 0}},
        {"SnglChnlLow",
         &V::SnglChnlLowLimit,
         0x987,
         {0, 0, 0, 0, 0, 0, 0, 0, 0x87, 0x09, 0, 0, 0, 0, 0}},
        {"TriggerLevel",
         &V::TriggerLevel,
         1023,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x03, 0, 0, 0}},
        {"BaseDelay", &V::BaseCaptureDelay, 15, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0, 0}},
        {"BaseDelay cut",
         &V::BaseCaptureDelay,
         16 + 3,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x30, 0, 0}},
        {"PileOnFront",
         &V::PileOnFrontRejection,
         1,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0, 0}},
        {"DTimMode", &V::DTimMode, 7, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0, 0}},
        {"PeakDelay", &V::PeakCaptureDelay, 127, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7F, 0}},
        {"PeakDelay cut",
         &V::PeakCaptureDelay,
         128 + 9,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0}},
        {"PileOnTile",
         &V::PileOnTileRejection,
         255,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF}},
        {"PileOnTile cut",
         &V::PileOnTileRejection,
         256 + 1,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01}},
    };
    for (const FieldCase& c : cases) {
        AnalogueValues v = Quiet();
        v.*c.member = c.value;
        const AnalogueRegisterBytes r = PackAnalogue(v);
        EXPECT_EQ(Bytes(r.begin(), r.end()), c.expected) << c.name;
    }
}

TEST(AnaloguePacking, InputASignalAndTriggerTauOnePackR0As0x31) {
    AnalogueValues v;  // as constructed: InputA, both taus 1
    EXPECT_EQ(PackAnalogue(v)[0], 0x31);
}

TEST(AnaloguePacking, FifteenZeroBytesUnpackToInputBSignalTauFour) {
    const AnalogueValues v = UnpackAnalogue({});
    EXPECT_EQ(v.InputSelect, 1);
    EXPECT_EQ(v.SignalTau, 4);
    EXPECT_EQ(v.TriggerTau, 1);
    EXPECT_EQ(v.TestOut, 0);
    for (std::int32_t n :
         {v.Gain, v.Invert, v.TriggerLevel, v.PileOnFrontRejection, v.DTimMode, v.AmpAnalUpLimit,
          v.AmpAnalLowLimit, v.SnglChnlUpLimit, v.SnglChnlLowLimit, v.BaseCaptureDelay,
          v.PeakCaptureDelay, v.PileOnTileRejection}) {
        EXPECT_EQ(n, 0);
    }
}

// The bits outside the fields do not leak into the values.
TEST(AnaloguePacking, UnpackIgnoresTheBitsOutsideTheFields) {
    const AnalogueRegisterBytes r = {0x9E, 0xFF, 0x34, 0xFE, 0x00, 0xFD, 0x21, 0xF3,
                                     0xFF, 0xF0, 0x80, 0xFE, 0xAF, 0xFF, 0x80};
    const AnalogueValues v = UnpackAnalogue(r);
    EXPECT_EQ(v.TriggerTau, 2);  // code 2
    EXPECT_EQ(v.SignalTau, 2);   // code 1
    EXPECT_EQ(v.TestOut, 1);     // code 3
    EXPECT_EQ(v.Invert, 1);
    EXPECT_EQ(v.InputSelect, 1);  // bit 0 clear: InputB
    EXPECT_EQ(v.Gain, 127);
    EXPECT_EQ(v.AmpAnalUpLimit, 0x234);
    EXPECT_EQ(v.AmpAnalLowLimit, 0x100);
    EXPECT_EQ(v.SnglChnlUpLimit, 0x321);
    EXPECT_EQ(v.SnglChnlLowLimit, 0x0FF);
    EXPECT_EQ(v.TriggerLevel, 0x280);
    EXPECT_EQ(v.BaseCaptureDelay, 10);
    EXPECT_EQ(v.PileOnFrontRejection, 1);
    EXPECT_EQ(v.DTimMode, 1);
    EXPECT_EQ(v.PeakCaptureDelay, 127);
    EXPECT_EQ(v.PileOnTileRejection, 0x80);
}

TEST(AnaloguePacking, WritePayloadIsTwoSyncBytesThenTheRegisters) {
    AnalogueRegisterBytes r{};
    for (std::size_t i = 0; i < r.size(); ++i) {
        r[i] = static_cast<std::uint8_t>(i + 1);
    }
    const AnalogueWriteBytes payload = AnalogueWritePayload(r);
    EXPECT_EQ(payload[0], 0xFF);
    EXPECT_EQ(payload[1], 0xFF);
    EXPECT_EQ(Bytes(payload.begin() + 2, payload.end()), Bytes(r.begin(), r.end()));
}

// ---- The editor on the virtual card ----

class AnalogueBlockTest : public EditorTest {
protected:
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CAnalogueBlockDlg dialog(ui);
        dialog.m_pBlock = &block;
        dialog.m_pDescription = &description;
        dialog.DoModal();
    }
    static void Type(CDialog& d, const std::vector<std::pair<int, const char*>>& entries) {
        for (const auto& [id, text] : entries) {
            d.TypeText(id, text);
        }
    }
    static void SetCheck(CDialog& d, int id, bool on) {
        if ((d.IsDlgButtonChecked(id) != 0) != on) {
            d.ClickCheck(id);
        }
    }
    // R0..R14 of the last write, after checking the sync bytes.
    Bytes WrittenRegisters() const {
        const auto writes = recorder.Writes();
        EXPECT_EQ(writes.size(), 1u);
        if (writes.empty()) {
            return {};
        }
        const Bytes& bytes = writes.back().bytes;
        EXPECT_EQ(writes.back().command, kCmdWriteAnalogue);
        EXPECT_EQ(bytes.size(), 17u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFF);
        return Bytes(bytes.begin() + 2, bytes.end());
    }

    AnalogueBlock block{};
    HardwareDescription description = HardwareDescription::Defaults();
};

TEST_F(AnalogueBlockTest, OpeningSetsTheElevenSpinRangesAndReadsTheBlock) {
    Run([](CDialog& d) {
        const std::vector<std::tuple<int, int, int>> spins = {
            {IDC_GAIN_SPIN, 0, 127},          {IDC_SIGNAL_TAU_SPIN, 1, 4},
            {IDC_TRIGGER_TAU_SPIN, 1, 4},     {IDC_TRIGGER_LEVEL_SPIN, 0, 1023},
            {IDC_AMPANAL_UP_SPIN, 0, 1023},   {IDC_SNGLCHNL_UP_SPIN, 0, 4095},
            {IDC_SNGLCHNL_LOW_SPIN, 0, 4095}, {IDC_AMPANAL_LOW_SPIN, 0, 1023},
            {IDC_BASE_DELAY_SPIN, 0, 15},     {IDC_PEAK_DELAY_SPIN, 0, 127},
            {IDC_PILE_ON_TILE_SPIN, 0, 255}};
        for (const auto& [id, lower, upper] : spins) {
            EXPECT_EQ(d.Control(id).spinLower, lower) << id;
            EXPECT_EQ(d.Control(id).spinUpper, upper) << id;
        }
        EXPECT_EQ(d.GetDlgItemText(IDC_ANALOGUE_STATUS), "notLocked");
        EXPECT_FALSE(d.Control(IDC_ANALOGUE_TO_BUFFER).enabled);
    });
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{kCmdReadStatus, kCmdReadAnalogue}));
    EXPECT_TRUE(recorder.Writes().empty());
}

TEST_F(AnalogueBlockTest, WriteSendsEveryFieldAndShowsWhatTheCardHolds) {
    Run([this](CDialog& d) {
        Type(d, {{IDC_GAIN, "100"},
                 {IDC_SIGNAL_TAU, "3"},
                 {IDC_TRIGGER_TAU, "2"},
                 {IDC_TRIGGER_LEVEL, "1023"},
                 {IDC_AMPANAL_UP, "1000"},
                 {IDC_AMPANAL_LOW, "12"},
                 {IDC_SNGLCHNL_UP, "4095"},
                 {IDC_SNGLCHNL_LOW, "300"},
                 {IDC_BASE_DELAY, "9"},
                 {IDC_PEAK_DELAY, "99"},
                 {IDC_PILE_ON_TILE, "200"}});
        d.ClickRadio(IDC_INPUT_B);
        d.ClickRadio(IDC_TESTOUT_2);
        SetCheck(d, IDC_INVERT, true);
        SetCheck(d, IDC_PILE_ON_FRONT, true);
        SetCheck(d, IDC_DTIM_MODE, true);
        recorder.Clear();
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_EQ(WrittenRegisters(), (Bytes{0xA6, 200, 0xE8, 0x03, 12, 0x00, 0xFF, 0x0F, 0x2C,
                                             0x01, 0xFF, 0x03, 0x9C, 99, 200}));
        EXPECT_EQ(recorder.Commands(),
                  (std::vector<int>{kCmdWriteAnalogue, kCmdReadStatus, kCmdReadAnalogue}));
    });
    // A second opening starts from the card again and finds the values there.
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN), "100");
        EXPECT_EQ(d.GetDlgItemText(IDC_SIGNAL_TAU), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_TRIGGER_TAU), "2");
        EXPECT_EQ(d.GetDlgItemText(IDC_SNGLCHNL_LOW), "300");
        EXPECT_EQ(d.GetDlgItemText(IDC_PEAK_DELAY), "99");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_INPUT_B), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_TESTOUT_2), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_DTIM_MODE), 1);
    });
}

TEST_F(AnalogueBlockTest, DTimModeIsSentOnlyWithPileOnFrontRejection) {
    Run([this](CDialog& d) {
        SetCheck(d, IDC_PILE_ON_FRONT, false);
        SetCheck(d, IDC_DTIM_MODE, true);
        recorder.Clear();
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_EQ(WrittenRegisters().at(12) & 0x0C, 0x00);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_DTIM_MODE), 0);

        SetCheck(d, IDC_PILE_ON_FRONT, true);
        SetCheck(d, IDC_DTIM_MODE, true);
        recorder.Clear();
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_EQ(WrittenRegisters().at(12) & 0x0C, 0x0C);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_DTIM_MODE), 1);
    });
}

// The buffer shows what was stored, even DTimMode without pile-on-front
// rejection; only the next write applies the rule.
TEST_F(AnalogueBlockTest, BufferLoadsTheBlockAndKeepsTheTestOutChoice) {
    block = {1, 77, 1, 2, 3, 0, 512, 900, 100, 3000, 2000, 5, 60, 150, 9};
    Run([this](CDialog& d) {
        d.ClickRadio(IDC_TESTOUT_3);
        recorder.Clear();
        d.OnCommand(IDC_ANALOGUE_FROM_BUFFER);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_INPUT_B), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN), "77");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_INVERT), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_SIGNAL_TAU), "2");
        EXPECT_EQ(d.GetDlgItemText(IDC_TRIGGER_TAU), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_TRIGGER_LEVEL), "512");
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPANAL_UP), "900");
        EXPECT_EQ(d.GetDlgItemText(IDC_AMPANAL_LOW), "100");
        EXPECT_EQ(d.GetDlgItemText(IDC_SNGLCHNL_UP), "3000");
        EXPECT_EQ(d.GetDlgItemText(IDC_SNGLCHNL_LOW), "2000");
        EXPECT_EQ(d.GetDlgItemText(IDC_BASE_DELAY), "5");
        EXPECT_EQ(d.GetDlgItemText(IDC_PEAK_DELAY), "60");
        EXPECT_EQ(d.GetDlgItemText(IDC_PILE_ON_TILE), "150");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_PILE_ON_FRONT), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_DTIM_MODE), 1);  // stored 9 loads as 1
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_TESTOUT_3), 1);

        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        const Bytes r = WrittenRegisters();
        EXPECT_EQ(r.at(0), 0x5A);  // trigger 3, signal 2, TestOut 3, invert, InputB
        EXPECT_EQ(r.at(12), 0x50);
    });
}

TEST_F(AnalogueBlockTest, NegativeStoredDTimModeLoadsAsOff) {
    block = {0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, -1};
    Run([](CDialog& d) {
        d.CheckDlgButton(IDC_DTIM_MODE, 1);
        d.OnCommand(IDC_ANALOGUE_FROM_BUFFER);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_DTIM_MODE), 0);
    });
}

// Each SignalTau takes its own record; TriggerTau plays no part.
TEST_F(AnalogueBlockTest, AutoTakesThePresetOfTheSignalTau) {
    for (int n = 0; n < 4; ++n) {
        description.AutoPresets[n] = {n + 1, 10 * (n + 1), 100 + n};
    }
    Run([this](CDialog& d) {
        Type(d, {{IDC_GAIN, "33"}, {IDC_TRIGGER_TAU, "4"}});
        recorder.Clear();
        for (int tau = 1; tau <= 4; ++tau) {
            d.TypeText(IDC_SIGNAL_TAU, std::to_string(tau));
            d.OnCommand(IDC_AUTO);
            EXPECT_EQ(d.GetDlgItemText(IDC_BASE_DELAY), std::to_string(tau)) << tau;
            EXPECT_EQ(d.GetDlgItemText(IDC_PEAK_DELAY), std::to_string(10 * tau)) << tau;
            EXPECT_EQ(d.GetDlgItemText(IDC_PILE_ON_TILE), std::to_string(99 + tau)) << tau;
        }
        EXPECT_EQ(d.GetDlgItemText(IDC_GAIN), "33");
        EXPECT_EQ(d.GetDlgItemText(IDC_TRIGGER_TAU), "4");
        EXPECT_TRUE(recorder.entries.empty());
    });
}

// The refused SignalTau stops the exchange, so the capture settings show the
// working copy (the card's power-up 7, 21, 43), and no record is looked up.
TEST_F(AnalogueBlockTest, AutoWithASignalTauOutsideTheTableChangesNothing) {
    for (int n = 0; n < 4; ++n) {
        description.AutoPresets[n] = {n, n, n};
    }
    Run([](CDialog& d) {
        Type(d, {{IDC_SIGNAL_TAU, "7"}, {IDC_BASE_DELAY, "2"}});
        d.OnCommand(IDC_AUTO);
        EXPECT_EQ(d.GetDlgItemText(IDC_BASE_DELAY), "7");
        EXPECT_EQ(d.GetDlgItemText(IDC_PEAK_DELAY), "21");
        EXPECT_EQ(d.GetDlgItemText(IDC_PILE_ON_TILE), "43");
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 1 and 4.");
}

// Gain 128 would go out as 0 in its seven bits: it must never reach the card.
TEST_F(AnalogueBlockTest, RefusedValueShowsTheRangeMessageAndWritesNothing) {
    Run([this](CDialog& d) {
        Type(d, {{IDC_TRIGGER_LEVEL, "5"}, {IDC_PILE_ON_TILE, "256"}});
        recorder.Clear();
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_PILE_ON_TILE);
        EXPECT_EQ(d.GetDlgItemText(IDC_ANALOGUE_STATUS), "notLocked");
        d.TypeText(IDC_PILE_ON_TILE, "20");
        d.TypeText(IDC_GAIN, "128");
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_GAIN);
        EXPECT_TRUE(d.IsRunning());
    });
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 0 and 255.");
    EXPECT_EQ(ui.Boxes()[1].text, "Please enter an integer between 0 and 127.");
}

TEST_F(AnalogueBlockTest, CloseAfterChangesWritesNothing) {
    const AnalogueBlock before = block;
    Run([](CDialog& d) {
        Type(d, {{IDC_GAIN, "12"}, {IDC_BASE_DELAY, "3"}});
        d.OnCommand(IDC_AUTO);
        d.OnCommand(IDCANCEL);
    });
    EXPECT_TRUE(recorder.Writes().empty());
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
}

TEST_F(AnalogueBlockTest, LockedCardIsShownInTheStatus) {
    card->SetLocked(true);
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_ANALOGUE_STATUS), " !!Locked"); });
}

// The status read fails in its status step (25); the window stays usable.
TEST_F(AnalogueBlockTest, WithoutACardTheStatusShowsTheTimeOutAndTheDialogStaysUsable) {
    RemoveCard();
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_ANALOGUE_STATUS), "TimOut:25");
        // Nothing was ever read: the zero image shows InputB and SignalTau 4.
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_INPUT_B), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_SIGNAL_TAU), "4");
        d.OnCommand(IDC_AUTO);
        EXPECT_EQ(d.GetDlgItemText(IDC_PEAK_DELAY), "83");
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_ANALOGUE_STATUS), "TimOut:25");
        EXPECT_EQ(static_cast<CAnalogueBlockDlg&>(d).LastError(), 25);
        EXPECT_TRUE(d.IsRunning());
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

// ---- The document's capture ----

// Distinct values in every field, so that no two fields can be mixed up.
TEST_F(AnalogueBlockTest, CaptureCopiesTheCardsBlockWithDTimModeAsZeroOrOne) {
    CAnalogueBlockDlg writer(ui);
    writer.OnInitDialog();
    writer.ClickRadio(IDC_INPUT_A);  // 0, where Invert and the flags are 1
    writer.TypeText(IDC_GAIN, "45");
    writer.CheckDlgButton(IDC_INVERT, 1);
    writer.TypeText(IDC_SIGNAL_TAU, "3");
    writer.TypeText(IDC_TRIGGER_TAU, "4");
    writer.CheckDlgButton(IDC_PILE_ON_FRONT, 1);
    writer.CheckDlgButton(IDC_DTIM_MODE, 1);
    writer.TypeText(IDC_TRIGGER_LEVEL, "1001");
    writer.TypeText(IDC_AMPANAL_UP, "900");
    writer.TypeText(IDC_AMPANAL_LOW, "90");
    writer.TypeText(IDC_SNGLCHNL_UP, "2500");
    writer.TypeText(IDC_SNGLCHNL_LOW, "2400");
    writer.TypeText(IDC_BASE_DELAY, "11");
    writer.TypeText(IDC_PEAK_DELAY, "111");
    writer.TypeText(IDC_PILE_ON_TILE, "222");
    writer.ClickRadio(IDC_TESTOUT_1);
    writer.OnToHardware();

    block.TriggerTau = 99;
    CAnalogueBlockDlg capture(ui);
    capture.m_pBlock = &block;
    EXPECT_EQ(capture.CaptureToBuffer(), 0);
    const std::int32_t expected[15] = {0,  45,   1,    3,  4,   1,   1001, 900,
                                       90, 2500, 2400, 11, 111, 222, 1};
    std::int32_t captured[15];
    std::memcpy(captured, &block, sizeof block);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(captured[i], expected[i]) << "slot " << i;
    }
    EXPECT_EQ(capture.TestOut, 1);  // read, but not part of the block
}

TEST_F(AnalogueBlockTest, FailedCaptureLeavesTheBlockAsItWas) {
    block = {1, 2, 3, 4, 1, 0, 6, 7, 8, 9, 10, 11, 12, 13, 1};
    const AnalogueBlock before = block;
    RemoveCard();
    CAnalogueBlockDlg capture(ui);
    capture.m_pBlock = &block;
    EXPECT_EQ(capture.CaptureToBuffer(), 1);
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
    EXPECT_EQ(capture.StatusText(), "TimOut:25");
}

}  // namespace
}  // namespace qv::test
