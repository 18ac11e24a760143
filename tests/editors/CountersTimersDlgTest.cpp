#include <array>
#include <cstring>
#include <tuple>

#include "EditorFixture.h"
#include "editors/CountersTimersDlg.h"
#include "editors/CountersTimersTemplate.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const CountersTimersImage& image, std::size_t from, std::size_t count) {
    return {image.begin() + static_cast<long>(from),
            image.begin() + static_cast<long>(from + count)};
}

// ---- The register image -------------------------------------------------

TEST(CountersTimersPacking, WriteBytesFollowTheLayout) {
    CountersTimersValues v;
    v.RestartBackup = 1;
    v.SetUniversalTime = 1;
    v.SetQv1Cycles = 1;
    v.ClearSwitch = 1;
    v.ULock = 1;
    v.Qv2Source = 0;
    v.Qv1Source = 1;
    v.AaStopTimeBase = 0;
    v.DeltaStopsCounting = 1;
    v.SwitchState = 1;  // read only: never packed
    v.DeltaFlag = 1;
    v.BackupPeriod = 600;
    v.UniversalTime = 0x123456;
    v.AaSecondsStart = 10;
    v.Qv1CyclesStart = 0x01020305;
    v.Qv2CyclesStart = 2;
    CountersTimersImage image;
    image.fill(0xAA);
    PackCountersTimers(v, image);
    EXPECT_EQ(Slice(image, 0, 19),
              (Bytes{0x7F, 0x94, 0x54, 0x57, 0x02, 0x56, 0x34, 0x12, 0x09, 0x00, 0x00, 0x03, 0x03,
                     0x02, 0x01, 0x00, 0x00, 0x00, 0x00}));
    // The live and dead time of the last read go back as they came.
    EXPECT_EQ(Slice(image, 19, 28), Bytes(28, 0xAA));

    v = {};
    v.SetAaSeconds = 1;
    v.SetQv2Cycles = 1;
    v.ZeroLiveDead = 1;
    PackCountersTimers(v, image);
    EXPECT_EQ(image[0], 0x7E);
    EXPECT_EQ(image[1], 0x68);
    EXPECT_EQ(image[2], 0x38);  // the new editor's three sources 1
}

TEST(CountersTimersPacking, StartValuesAndClockAtTheirLimits) {
    CountersTimersValues v;
    v.Qv1CyclesStart = 2;
    v.Qv2CyclesStart = 4294967295u;
    v.AaSecondsStart = 16777215;
    v.UniversalTime = 16777215;
    v.BackupPeriod = 65535;
    CountersTimersImage image{};
    PackCountersTimers(v, image);
    EXPECT_EQ(Slice(image, 11, 4), (Bytes{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(image, 15, 4), (Bytes{0xFD, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(image, 8, 3), (Bytes{0xFE, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(image, 5, 3), (Bytes{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(image, 3, 2), (Bytes{0xFE, 0xFF}));
    v.AaSecondsStart = 1;
    PackCountersTimers(v, image);
    EXPECT_EQ(Slice(image, 8, 3), (Bytes{0x00, 0x00, 0x00}));
}

TEST(CountersTimersPacking, PeriodBelowThirtyIsSentAsThirty) {
    EXPECT_EQ(SentBackupPeriod(1), 30u);
    EXPECT_EQ(SentBackupPeriod(29), 30u);
    EXPECT_EQ(SentBackupPeriod(31), 31u);
    CountersTimersValues v;
    v.BackupPeriod = 1;
    CountersTimersImage image{};
    PackCountersTimers(v, image);
    EXPECT_EQ(Slice(image, 3, 2), (Bytes{0x1D, 0x00}));
}

TEST(CountersTimersPacking, BothReadsUnpackFieldByField) {
    CountersTimersImage image{};
    image[0] = 0x7F;  // B0, B1: what the last write sent, no longer requests
    image[1] = 0xFC;
    const Bytes read1{0xD3,                    // ULock, Qv2 laser, Aa live, switch, delta
                      0x57, 0x02,              // period 600
                      0x0A, 0x00, 0x01,        // universal time 65546
                      0x04, 0x00, 0x00,        // Aa current 5
                      0x08, 0x00, 0x00, 0x00,  // Qv1 current 10
                      0xFF, 0xFF, 0xFF, 0xFF,  // Qv2 current 1 (wraps)
                      0x03, 0x00, 0x00,        // live 3
                      0x01, 0x00, 0x00};       // dead 1
    const Bytes read2{0xFF, 0xFF, 0xFF,        // Aa start 0 (wraps)
                      0x00, 0x00, 0x00, 0x00,  // Qv1 start 2
                      0x10, 0x00, 0x00, 0x80,  // Qv2 start 0x80000012
                      0x1C, 0x00,              // till nearest 29
                      0x07, 0x00, 0x00,        // since delta 7
                      0x40, 0x42, 0x0F,        // Qv1 rate 1000000
                      0xFF, 0xFF, 0xFF};       // Qv2 rate 16777215
    std::copy(read1.begin(), read1.end(), image.begin() + 2);
    std::copy(read2.begin(), read2.end(), image.begin() + 25);
    const CountersTimersValues v = UnpackCountersTimers(image);
    EXPECT_EQ(v.ULock, 1);
    EXPECT_EQ(v.Qv2Source, 0);
    EXPECT_EQ(v.Qv1Source, 1);
    EXPECT_EQ(v.AaStopTimeBase, 0);
    EXPECT_EQ(v.DeltaStopsCounting, 0);
    EXPECT_EQ(v.SwitchState, 1);
    EXPECT_EQ(v.DeltaFlag, 1);
    EXPECT_EQ(v.BackupPeriod, 600u);
    EXPECT_EQ(v.UniversalTime, 65546);
    EXPECT_EQ(v.AaSecondsCurrent, 5);
    EXPECT_EQ(v.Qv1CyclesCurrent, 10u);
    EXPECT_EQ(v.Qv2CyclesCurrent, 1u);
    EXPECT_EQ(v.AaLiveTime, 3);
    EXPECT_EQ(v.AaDeadTime, 1);
    EXPECT_EQ(v.DeadTimePercent, 25);
    EXPECT_EQ(v.AaSecondsStart, 0);
    EXPECT_EQ(v.Qv1CyclesStart, 2u);
    EXPECT_EQ(v.Qv2CyclesStart, 0x80000012u);
    EXPECT_EQ(v.TillNearest, 29u);
    EXPECT_EQ(v.SecondsSinceDelta, 7);
    EXPECT_EQ(v.Qv1Rate, 1000000);
    EXPECT_EQ(v.Qv2Rate, 16777215);
    // Nothing that was sent in B0 and B1 comes back as a request.
    for (std::int32_t request : {v.RestartBackup, v.SetUniversalTime, v.SetAaSeconds,
                                 v.SetQv2Cycles, v.SetQv1Cycles, v.ZeroLiveDead, v.ClearSwitch}) {
        EXPECT_EQ(request, 0);
    }
}

TEST(CountersTimersPacking, CountdownRunOutReadsZero) {
    CountersTimersImage image = InitialCountersImage();
    image[36] = image[37] = 0xFF;
    image[3] = image[4] = 0xFF;
    EXPECT_EQ(UnpackCountersTimers(image).TillNearest, 0u);
    EXPECT_EQ(UnpackCountersTimers(image).BackupPeriod, 0u);
}

TEST(CountersTimersPacking, DeadTimePercentRoundsToNearest) {
    EXPECT_EQ(DeadTimePercent(0, 0), 0);
    EXPECT_EQ(DeadTimePercent(3, 1), 25);
    EXPECT_EQ(DeadTimePercent(2, 1), 33);
    EXPECT_EQ(DeadTimePercent(1, 2), 67);
    EXPECT_EQ(DeadTimePercent(0, 5), 100);
    // A damaged file's values give a defined number, not an overflow.
    EXPECT_EQ(DeadTimePercent(-2147483647, 2147483647), 0);
    EXPECT_EQ(DeadTimePercent(-2147483646, 2147483647), 2147483647);
}

TEST(CountersTimersPacking, NewEditorImageUnpacksToTheInitialValues) {
    const CountersTimersValues v = UnpackCountersTimers(InitialCountersImage());
    EXPECT_EQ(v.Qv2Source, 1);
    EXPECT_EQ(v.Qv1Source, 1);
    EXPECT_EQ(v.AaStopTimeBase, 1);
    EXPECT_EQ(v.AaSecondsStart, 16777215);
    EXPECT_EQ(v.AaSecondsCurrent, 16777215);
    EXPECT_EQ(v.BackupPeriod, 65535u);
    EXPECT_EQ(v.TillNearest, 65535u);
    for (std::uint32_t cycles :
         {v.Qv1CyclesStart, v.Qv1CyclesCurrent, v.Qv2CyclesStart, v.Qv2CyclesCurrent}) {
        EXPECT_EQ(cycles, 4294967295u);
    }
    EXPECT_EQ(v.UniversalTime, 0);
    EXPECT_EQ(v.ULock, 0);
    EXPECT_EQ(v.AaLiveTime, 0);
}

// ---- The dialog on the virtual card ---------------------------------------

class CountersTimersTest : public EditorTest {
protected:
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CCountersTimersDlg dialog(ui);
        dialog.m_pBlock = &block;
        dialog.DoModal();
    }
    static CCountersTimersDlg& Editor(CDialog& d) { return static_cast<CCountersTimersDlg&>(d); }
    // The last write of the counters, B0..B24.
    Bytes LastCountersWrite() const {
        const auto writes = recorder.Writes();
        EXPECT_FALSE(writes.empty());
        if (writes.empty()) {
            return {};
        }
        EXPECT_EQ(writes.back().command, kCmdWriteCounters);
        return writes.back().bytes;
    }
    // Sets the card's period through the editor and restarts its countdown.
    void ArmBackup(const char* period) {
        Run([period](CDialog& d) {
            d.TypeText(IDC_CT_BACKUP_PERIOD, period);
            d.ClickCheck(IDC_CT_RESTART_BACKUP);
            d.OnCommand(IDC_CT_TO_HARDWARE);
        });
    }
    void AdvanceSeconds(std::uint32_t seconds) { clock.Advance(1000 * seconds); }

    // Counter settings written straight to the card (sources aux), every
    // counter loaded; the period stays at the card's 600 s.
    struct CardCounters {
        std::uint32_t qv1Start = 4294967295u;
        std::uint32_t qv2Start = 4294967295u;
        std::uint32_t aaStart = 16777215;
        std::uint32_t universal = 0;
        std::uint8_t aaBase = 0;
        std::uint8_t qv2Source = 0;
        std::uint8_t qv1Source = 0;
    };
    void Write(const CardCounters& c) {
        Bytes b(25, 0);
        b[0] = 0x7E;
        b[1] = 0xF0;
        b[2] = static_cast<std::uint8_t>(c.qv2Source << 5 | c.qv1Source << 4 | c.aaBase << 3);
        const auto put = [&b](std::size_t at, std::size_t n, std::uint32_t v) {
            for (std::size_t i = 0; i < n; ++i) {
                b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
            }
        };
        put(3, 2, 599);
        put(5, 3, c.universal);
        put(8, 3, c.aaStart - 1);
        put(11, 4, c.qv1Start - 2);
        put(15, 4, c.qv2Start - 2);
        CHardwarePort port;
        ASSERT_EQ(port.WriteCommand(kCmdWriteCounters, b.data(), 25), 0);
    }

    // Qv2Source, Qv1Source and AaStopTimeBase of the block.
    using Trio = std::array<std::int32_t, 3>;
    Trio Sources() const { return {block.Qv2Source, block.Qv1Source, block.AaStopTimeBase}; }

    CountersTimersBlock block{};
};

TEST_F(CountersTimersTest, ReadIsThePlainCountersReadThenTheStatusPrefixedStartValues) {
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_STATUS), "notLocked");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_BACKUP_PERIOD), "600");  // the card's power-up period
    });
    ASSERT_EQ(recorder.entries.size(), 3u);
    const auto& e = recorder.entries;
    EXPECT_EQ(e[0].command, kCmdReadStatus);
    EXPECT_EQ(e[0].bytes.size(), 23u);
    EXPECT_EQ(e[1].command, kCmdReadStatus);  // the lock check of read 2
    EXPECT_EQ(e[1].bytes.size(), 1u);
    EXPECT_EQ(e[2].command, kCmdReadCounterStarts);
    EXPECT_EQ(e[2].bytes.size(), 22u);
    for (const auto& entry : e) {
        EXPECT_EQ(entry.kind, Transfer::Kind::Read);
    }
}

TEST_F(CountersTimersTest, ImageHoldsBothReadsWhereTheLayoutPutsThem) {
    AdvanceSeconds(5);
    ui.QueueModalScript([this](CDialog& d) {
        const CountersTimersImage& image = Editor(d).Image();
        EXPECT_EQ(Slice(image, 2, 23), recorder.entries[0].bytes);
        EXPECT_EQ(Slice(image, 25, 22), recorder.entries[2].bytes);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_UNIVERSAL_TIME), "5");
    });
    CCountersTimersDlg dialog(ui);
    dialog.DoModal();
}

// What the boxes show is what the card's own reads say, field by field.
TEST_F(CountersTimersTest, BoxesShowTheCardsCountersRatesAndTimes) {
    Write({.aaBase = 1});
    CHardwarePort port;
    const std::uint8_t analyserGo[] = {0x00, 0x0C};
    port.WriteCommand(kCmdWriteRunControl, analyserGo, kRunControlLength);
    card->SetSwitch(true);
    AdvanceSeconds(40);
    Bytes live(23), starts(22);
    port.ReadCommand(kCmdReadStatus, live.data(), 23);
    port.ReadCommand(kCmdReadCounterStarts, starts.data(), 22);
    const auto le = [](const Bytes& b, std::size_t at, std::size_t n) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
        }
        return std::to_string(v);
    };
    Run([&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_UNIVERSAL_TIME), "40");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_SINCE_DELTA), "40");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_SWITCH_STATE), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_DELTA_FLAG), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_LIVE_TIME), le(live, 17, 3));
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_DEAD_TIME), le(live, 20, 3));
        EXPECT_NE(d.GetDlgItemText(IDC_CT_LIVE_TIME), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_RATE), le(starts, 16, 3));
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_RATE), le(starts, 19, 3));
        EXPECT_NE(d.GetDlgItemText(IDC_CT_QV1_RATE), "0");
        const CCountersTimersDlg& editor = Editor(d);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_DEAD_PERCENT),
                  std::to_string(DeadTimePercent(editor.AaLiveTime, editor.AaDeadTime)));
        // The analyser stops on live time here: one count per live second.
        EXPECT_EQ(editor.AaSecondsCurrent, 16777215 - editor.AaLiveTime);
    });
}

// A cycle counter loaded through the editor stops its memory after that many
// sweeps, and the editor reads it down to 0.
TEST_F(CountersTimersTest, CycleCounterRunsDownToZeroAsShown) {
    Run([](CDialog& d) {
        d.TypeText(IDC_CT_QV1_START, "3");
        d.ClickCheck(IDC_CT_SET_QV1);
        d.OnCommand(IDC_CT_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_CURRENT), "3");
    });
    CHardwarePort port;
    const std::uint8_t qvGo[] = {0x33, 0x00};
    port.WriteCommand(kCmdWriteRunControl, qvGo, kRunControlLength);
    clock.Advance(3000);
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_CURRENT), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_START), "3");
        const auto& editor = static_cast<const CCountersTimersDlg&>(d);
        EXPECT_LT(editor.Qv2CyclesCurrent, 4294967295u - 5);  // Qv2 went on counting
    });
}

TEST_F(CountersTimersTest, WriteSendsTheSettingsAndReadsBack) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_CT_BACKUP_PERIOD, "120");
        d.TypeText(IDC_CT_UNIVERSAL_TIME, "1000");
        d.ClickCheck(IDC_CT_SET_UNIVERSAL);
        d.TypeText(IDC_CT_QV1_START, "12");
        d.ClickCheck(IDC_CT_SET_QV1);
        d.TypeText(IDC_CT_AA_START, "300");
        d.ClickCheck(IDC_CT_SET_AA);
        d.ClickRadio(IDC_CT_QV2_AUX);
        d.ClickRadio(IDC_CT_AA_UNIVERSAL_BASE);
        d.ClickCheck(IDC_CT_ULOCK);
        const Bytes lastLive = Slice(Editor(d).Image(), 19, 6);
        recorder.Clear();
        d.OnCommand(IDC_CT_TO_HARDWARE);
        ASSERT_EQ(recorder.entries.size(), 4u);
        EXPECT_EQ(recorder.entries[0].kind, Transfer::Kind::Write);
        const Bytes b = recorder.entries[0].bytes;
        ASSERT_EQ(b.size(), 25u);
        EXPECT_EQ(b[0], 0x7E);
        EXPECT_EQ(b[1], 0xD0);  // universal time, Aa seconds, Qv1 cycles
        EXPECT_EQ(b[2], 0x50);  // ULock, Qv1 local
        EXPECT_EQ(Bytes(b.begin() + 3, b.begin() + 19),
                  (Bytes{0x77, 0x00, 0xE8, 0x03, 0x00, 0x2B, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00,
                         0xFD, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(Bytes(b.begin() + 19, b.end()), lastLive);
        EXPECT_EQ(recorder.Commands(), (std::vector<int>{kCmdWriteCounters, kCmdReadStatus,
                                                         kCmdReadStatus, kCmdReadCounterStarts}));
        // The read that follows shows what the card took.
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_BACKUP_PERIOD), "120");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_TILL_NEAREST), "600");  // not restarted
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_UNIVERSAL_TIME), "1000");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_CURRENT), "12");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_CURRENT), "300");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_START), "300");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV2_AUX), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV1_LOCAL), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_AA_UNIVERSAL_BASE), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_ULOCK), 1);
    });
}

TEST_F(CountersTimersTest, PeriodOneIsWrittenAsThirtyAndShownAsTheCardHolds) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_CT_BACKUP_PERIOD, "1");
        d.OnCommand(IDC_CT_TO_HARDWARE);
        const Bytes b = LastCountersWrite();
        ASSERT_EQ(b.size(), 25u);
        EXPECT_EQ(b[3], 0x1D);
        EXPECT_EQ(b[4], 0x00);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_BACKUP_PERIOD), "30");
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

// Each ticked request goes to the card with one write; the read after it
// clears the boxes, so a second write sends none.
TEST_F(CountersTimersTest, OneTimeRequestsAreSentOnce) {
    const std::pair<int, std::uint8_t> requests[] = {
        {IDC_CT_SET_UNIVERSAL, 0x80}, {IDC_CT_SET_AA, 0x40},         {IDC_CT_SET_QV2, 0x20},
        {IDC_CT_SET_QV1, 0x10},       {IDC_CT_ZERO_LIVE_DEAD, 0x08}, {IDC_CT_CLEAR_SWITCH, 0x04}};
    Run([&](CDialog& d) {
        for (const auto& [id, bit] : requests) {
            d.ClickCheck(id);
            d.OnCommand(IDC_CT_TO_HARDWARE);
            const Bytes first = LastCountersWrite();
            ASSERT_EQ(first.size(), 25u);
            EXPECT_EQ(first[1], bit) << id;
            EXPECT_EQ(first[0], 0x7E) << id;
            EXPECT_EQ(d.IsDlgButtonChecked(id), 0) << id;
            d.OnCommand(IDC_CT_TO_HARDWARE);
            EXPECT_EQ(LastCountersWrite()[1], 0x00) << id;
        }
        d.ClickCheck(IDC_CT_RESTART_BACKUP);
        d.OnCommand(IDC_CT_TO_HARDWARE);
        EXPECT_EQ(LastCountersWrite()[0], 0x7F);
        EXPECT_EQ(LastCountersWrite()[1], 0x00);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_RESTART_BACKUP), 0);
        d.OnCommand(IDC_CT_TO_HARDWARE);
        EXPECT_EQ(LastCountersWrite()[0], 0x7E);
    });
}

TEST_F(CountersTimersTest, StatusAndDeltaBoxesAreNeverSent) {
    Run([this](CDialog& d) {
        d.ClickCheck(IDC_CT_SWITCH_STATE);
        d.ClickCheck(IDC_CT_DELTA_FLAG);
        d.OnCommand(IDC_CT_TO_HARDWARE);
        EXPECT_EQ(LastCountersWrite()[2] & 0x83, 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_SWITCH_STATE), 0);
    });
}

TEST_F(CountersTimersTest, MaxButtonsFillTheStartValues) {
    Run([](CDialog& d) {
        d.TypeText(IDC_CT_QV1_START, "7");
        d.TypeText(IDC_CT_QV2_START, "8");
        d.TypeText(IDC_CT_AA_START, "9");
        d.OnCommand(IDC_CT_QV1_MAX);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_START), "4294967295");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_START), "8");  // taken, kept
        d.OnCommand(IDC_CT_QV2_MAX);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_START), "4294967295");
        d.OnCommand(IDC_CT_AA_MAX);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_START), "16777215");
    });
    EXPECT_TRUE(recorder.Writes().empty());
}

// The exchange takes the Aa start value second; a refusal there leaves every
// member after it as it was.
TEST_F(CountersTimersTest, RefusalStopsTheExchangeInItsOrder) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_CT_AA_START, "0");
        d.TypeText(IDC_CT_QV2_START, "5");
        d.OnCommand(IDC_CT_QV1_MAX);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_START), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_START), "4294967295");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_START), "4294967295");
        EXPECT_TRUE(recorder.Writes().empty());
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 1 and 16777215.");
}

// An out-of-range entry must never reach the card: the framework's message,
// the focus on the box, and no write.
TEST_F(CountersTimersTest, RefusedValueWritesNothing) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {IDC_CT_BACKUP_PERIOD, "0", "Please enter an integer between 1 and 65535."},
        {IDC_CT_BACKUP_PERIOD, "65536", "Please enter an integer between 1 and 65535."},
        {IDC_CT_UNIVERSAL_TIME, "16777216", "Please enter an integer between 0 and 16777215."},
        {IDC_CT_QV1_START, "1", "Please enter an integer between 2 and 4294967295."},
        {IDC_CT_QV2_START, "0", "Please enter an integer between 2 and 4294967295."},
        {IDC_CT_AA_START, "16777216", "Please enter an integer between 1 and 16777215."},
    };
    for (const auto& [id, text, message] : cases) {
        ui.Clear();
        Run([&, id = id, text = text](CDialog& d) {
            d.TypeText(id, text);
            d.ClickCheck(IDC_CT_SET_UNIVERSAL);
            recorder.Clear();
            d.OnCommand(IDC_CT_TO_HARDWARE);
            EXPECT_TRUE(recorder.entries.empty()) << text;
            EXPECT_EQ(d.FocusedControl(), id);
            EXPECT_TRUE(d.IsRunning());
        });
        ASSERT_EQ(ui.Boxes().size(), 1u) << text;
        EXPECT_EQ(ui.Boxes()[0].text, message);
    }
}

TEST_F(CountersTimersTest, CancelAfterChangesWritesNothing) {
    block.UniversalTime = 77;
    const CountersTimersBlock before = block;
    Run([](CDialog& d) {
        d.TypeText(IDC_CT_BACKUP_PERIOD, "100");
        d.ClickCheck(IDC_CT_RESTART_BACKUP);
        d.ClickCheck(IDC_CT_ZERO_LIVE_DEAD);
        d.OnCommand(IDCANCEL);
    });
    EXPECT_TRUE(recorder.Writes().empty());
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
}

TEST_F(CountersTimersTest, WithoutACardTheStatusShowsReadTwosNumber) {
    RemoveCard();
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_STATUS), "TimOut:25");
        // The image still holds a new editor's values.
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_BACKUP_PERIOD), "65535");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_START), "4294967295");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_CURRENT), "16777215");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV2_LASER), 1);
        d.TypeText(IDC_CT_UNIVERSAL_TIME, "5");
        d.OnCommand(IDC_CT_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_STATUS), "TimOut:25");
        EXPECT_EQ(Editor(d).LastError(), 25);
        EXPECT_TRUE(d.IsRunning());
    });
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(recorder.entries[0].error, 9);  // read 1's number is not shown
}

TEST_F(CountersTimersTest, LockedCardIsShownInTheStatus) {
    card->SetLocked(true);
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_CT_STATUS), " !!Locked"); });
}

// The three sources take two values each: two blocks tell every pair apart.
TEST_F(CountersTimersTest, FromBufferLoadsTheThirteenFieldsAndKeepsTheRest) {
    block = {1, 100, 0, 200, 0, 50, 11, 12345, 90, 180, 40, 2, 1};
    Run([this](CDialog& d) {
        d.TypeText(IDC_CT_BACKUP_PERIOD, "321");
        d.OnCommand(IDC_CT_FROM_BUFFER);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV2_AUX), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV1_AUX), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_AA_UNIVERSAL_BASE), 1);
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_START), "100");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_START), "200");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_START), "50");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_SINCE_DELTA), "11");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_UNIVERSAL_TIME), "12345");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV2_CURRENT), "90");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_QV1_CURRENT), "180");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_AA_CURRENT), "40");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_LIVE_TIME), "2");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_DEAD_TIME), "1");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_DEAD_PERCENT), "33");
        EXPECT_EQ(d.GetDlgItemText(IDC_CT_BACKUP_PERIOD), "321");
        block.Qv2Source = 0;
        block.AaStopTimeBase = 1;
        d.OnCommand(IDC_CT_FROM_BUFFER);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV2_AUX), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_QV1_AUX), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CT_AA_UNIVERSAL_BASE), 0);
    });
    EXPECT_TRUE(recorder.Writes().empty());
}

TEST_F(CountersTimersTest, CaptureCopiesTheThirteenFieldsFromTheCard) {
    Write({.qv1Start = 12, .qv2Start = 34, .aaStart = 56, .universal = 1000, .qv2Source = 1});
    AdvanceSeconds(3);
    CCountersTimersDlg editor(ui);
    editor.m_pBlock = &block;
    EXPECT_EQ(editor.CaptureToBuffer(), 0);
    EXPECT_EQ(Sources(), (Trio{1, 0, 0}));
    EXPECT_EQ(block.Qv2CyclesStart, 34u);
    EXPECT_EQ(block.Qv1CyclesStart, 12u);
    EXPECT_EQ(block.AaSecondsStart, 56);
    EXPECT_EQ(block.UniversalTime, 1003);
    EXPECT_EQ(block.Qv2CyclesCurrent, 34u);
    EXPECT_EQ(block.Qv1CyclesCurrent, 12u);
    EXPECT_EQ(block.AaSecondsCurrent, 56);
    EXPECT_EQ(block.SecondsSinceDelta, 3);
    EXPECT_EQ(block.AaLiveTime, 0);
    EXPECT_EQ(block.AaDeadTime, 0);
    EXPECT_EQ(editor.StatusText(), "notLocked");
    EXPECT_TRUE(recorder.Writes().size() == 1);  // only the set-up write
    EXPECT_TRUE(ui.ModalRuns().empty());
    // The sources take two values each: a second pattern tells the last pair apart.
    Write({.aaBase = 1});
    EXPECT_EQ(editor.CaptureToBuffer(), 0);
    EXPECT_EQ(Sources(), (Trio{0, 0, 1}));
}

TEST_F(CountersTimersTest, FailedCaptureLeavesTheBlock) {
    block.UniversalTime = 4242;
    const CountersTimersBlock before = block;
    RemoveCard();
    CCountersTimersDlg editor(ui);
    editor.m_pBlock = &block;
    EXPECT_EQ(editor.CaptureToBuffer(), 1);
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
    EXPECT_EQ(editor.StatusText(), "TimOut:25");
}

// ---- BackupDue -----------------------------------------------------------

TEST_F(CountersTimersTest, BackupDueWhileTheCountdownRuns) {
    ArmBackup("30");
    AdvanceSeconds(29);
    recorder.Clear();
    ui.Clear();
    CCountersTimersDlg editor(ui);
    EXPECT_EQ(editor.BackupDue(), 1);
    EXPECT_EQ(editor.TillNearest, 1u);
    EXPECT_TRUE(recorder.Writes().empty());
    EXPECT_TRUE(ui.ModalRuns().empty());
}

// Run out, the card answers FF FF ("till nearest" 0): the restart write sends
// B0 = 0x01, B1 = 0 and B2..B24 as just read, and the countdown starts again.
TEST_F(CountersTimersTest, BackupDueRestartsARunOutCountdown) {
    ArmBackup("30");
    AdvanceSeconds(30);
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_CT_TILL_NEAREST), "0"); });
    recorder.Clear();
    CCountersTimersDlg editor(ui);
    EXPECT_EQ(editor.BackupDue(), 0);
    EXPECT_EQ(editor.Image()[36], 0xFF);
    EXPECT_EQ(editor.Image()[37], 0xFF);
    ASSERT_EQ(recorder.entries.size(), 4u);
    const Bytes& read1 = recorder.entries[0].bytes;
    const Bytes& restart = recorder.entries[3].bytes;
    EXPECT_EQ(recorder.entries[3].command, kCmdWriteCounters);
    ASSERT_EQ(restart.size(), 25u);
    EXPECT_EQ(restart[0], 0x01);
    EXPECT_EQ(restart[1], 0x00);
    EXPECT_EQ(Bytes(restart.begin() + 2, restart.end()), read1);

    CCountersTimersDlg again(ui);
    EXPECT_EQ(again.BackupDue(), 1);
    EXPECT_EQ(again.TillNearest, 30u);
    EXPECT_EQ(again.BackupPeriod, 30u);  // the restart changed no setting
}

TEST_F(CountersTimersTest, BackupDueWithoutACardFails) {
    RemoveCard();
    CCountersTimersDlg editor(ui);
    EXPECT_EQ(editor.BackupDue(), -1);
    EXPECT_TRUE(recorder.Writes().empty());
}

// The card goes quiet between the reads and the restart write.
TEST_F(CountersTimersTest, BackupDueReportsAFailedRestart) {
    ArmBackup("30");
    AdvanceSeconds(31);
    CardGoneAfter drop(*card, kCmdReadCounterStarts);
    HardwareGlobals::Instance().observer = &drop;
    CCountersTimersDlg editor(ui);
    EXPECT_EQ(editor.BackupDue(), -1);
}

}  // namespace
}  // namespace qv::test
