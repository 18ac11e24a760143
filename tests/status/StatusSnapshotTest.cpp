// The snapshot the acquisition loop hands to the status page: its figures,
// its picture of the channel view and the board's counting states.
#include <nlohmann/json.hpp>

#include "../view/ViewFixture.h"
#include "status/StatusBoard.h"
#include "status/StatusJson.h"
#include "status/StatusPictures.h"

namespace qv::test {
namespace {

using Json = nlohmann::json;

class StatusSnapshotTest : public ViewFixture {
protected:
    StatusSnapshot Take(int result = 0) {
        StatusSnapshot s = SnapshotOfDocument(doc, result, std::chrono::system_clock::now());
        AddViewState(s, view);
        return s;
    }
};

// Every channel a different height, on every curve, so a curve drawn from
// the wrong spectrum or scale shows.
TEST_F(StatusSnapshotTest, TheViewPictureIsTheDesktopsFittedPainting) {
    for (std::size_t i = 0; i < kChannels; ++i) {
        Data().Qv2[i] = static_cast<std::uint32_t>(5000 + (i * 7) % 300);
        Data().Qv1[i] = static_cast<std::uint32_t>(9000 - (i * 3) % 500);
        Data().Aa[i] = static_cast<std::uint32_t>(i % 97);
        Data().Aa[kChannels + i] = static_cast<std::uint32_t>((i * 5) % 61);
    }
    Recompute();
    Panel().m_bShowCoinc = 0;
    Panel().m_nLeftCursor = 812;
    host.client = {StatusPictures::kWidth, StatusPictures::kViewHeight};
    const RgbCanvas desktop = Paint();
    RgbCanvas page(StatusPictures::kWidth, StatusPictures::kViewHeight);
    DrawSnapshotView(page, Take());
    EXPECT_EQ(page.Bytes(), desktop.Bytes());
}

TEST_F(StatusSnapshotTest, TheJsonCarriesEachFigureUnderItsOwnKey) {
    doc.Readings().counters = CounterReadings{7012, 4980, 300, 100, 172, 65};
    doc.Readings().backup = BackupCountdown{600, 42};
    doc.Readings().highVoltage = HighVoltageReading{812, 1234.5};
    doc.Readings().amplitudeCurrent = 333;
    Data().Settings.Vibrator.AmplitudeDesired = 444;
    Data().Remark = "alpha \xB5-iron";  // Windows-1252 micro sign
    doc.SetPathName("/data/run7.qv");
    StatusBoard board;
    board.RecordAutoSave({1700000000, 3600, "/data/run7.qv", 0, true});
    board.Publish(Take(5));
    const Json j = Json::parse(StatusJson(*board.Current(), false));
    EXPECT_EQ(j["qv1_rate"], 7012);
    EXPECT_EQ(j["qv2_rate"], 4980);
    EXPECT_EQ(j["live_time"], 300);
    EXPECT_EQ(j["dead_time"], 100);
    EXPECT_DOUBLE_EQ(j["dead_time_pct"].get<double>(), 25.0);
    EXPECT_EQ(j["qv1_cycles_done"], 172);
    EXPECT_EQ(j["qv2_cycles_done"], 65);
    EXPECT_EQ(j["backup_period"], 600);
    EXPECT_EQ(j["backup_till_nearest"], 42);
    EXPECT_EQ(j["hv_current"], 812);
    EXPECT_DOUBLE_EQ(j["hv_current_volts"].get<double>(), 1234.5);
    EXPECT_EQ(j["vibrator_amplitude_current"], 333);
    EXPECT_EQ(j["vibrator_amplitude_desired"], 444);
    EXPECT_EQ(j["capture_result"], 5);
    EXPECT_EQ(j["file"], "/data/run7.qv");
    EXPECT_EQ(j["remark"], "alpha \u00B5-iron");
    EXPECT_EQ(j["last_autosave"]["time"], "2023-11-14T23:13:20+01:00");
    EXPECT_EQ(j["last_autosave"]["result"], "saved");
    EXPECT_EQ(j["qv2_state"], "unknown");
}

// A memory counts when its counts, cycles or live time moved since the last capture.
TEST_F(StatusSnapshotTest, TheBoardTellsWhichMemoriesCountedAndKeepsTheHistory) {
    doc.Readings().counters = CounterReadings{1, 2, 300, 100, 10, 20};
    StatusBoard board;
    board.Publish(Take());
    Data().Qv1[5] = 1;                            // Qv1: counts moved
    doc.Readings().counters->Qv2CyclesDone = 21;  // Qv2: a sweep more
    board.Publish(Take());                        // Aa: nothing moved
    auto now = board.Current();
    EXPECT_EQ(now->sequence, 2u);
    EXPECT_EQ(now->qv1, CountingState::Counting);
    EXPECT_EQ(now->qv2, CountingState::Counting);
    EXPECT_EQ(now->aa, CountingState::Stopped);
    doc.Readings().counters->AaLiveTime = 301;
    board.Publish(Take());
    now = board.Current();
    EXPECT_EQ(now->qv1, CountingState::Stopped);
    EXPECT_EQ(now->qv2, CountingState::Stopped);
    EXPECT_EQ(now->aa, CountingState::Counting);
    EXPECT_EQ(board.History().size(), 3u);
    EXPECT_EQ(board.History().back().readings.counters->AaLiveTime, 301);
}

// The hook the front ends hang the status page on: after every capture the
// view shows, with the capture's result (no card here: the first step fails).
TEST_F(StatusSnapshotTest, TheViewTellsItsWatchAfterEachCapture) {
    std::vector<int> results;
    view.SetCaptureWatch({[&](int result) { results.push_back(result); }, nullptr});
    view.OnRefresh();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NE(results[0], 0);
}

}  // namespace
}  // namespace qv::test
