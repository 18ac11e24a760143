// A file made by "qvtool simulate" looks like an alpha-iron measurement.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>
#include <vector>

#include "QvTool.h"
#include "document/QvDoc.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/PortBus.h"

namespace qv::sim {
namespace {

namespace fs = std::filesystem;

constexpr int kSmoothing = 21;
constexpr double kDipThreshold = 0.025;  // below the baseline
constexpr int kMergeGap = 20;

class SimulatedFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_path = (fs::temp_directory_path() / "qv-simulated-acceptance.qv").string();
        std::ostringstream out, err;
        const char* argv[] = {"qvtool",    "simulate", "-o",     s_path.c_str(),
                              "--seconds", "1200",     "--seed", "3"};
        ASSERT_EQ(tool::RunQvTool(8, argv, out, err), 0) << err.str();
        HeadlessUi ui;
        s_doc = std::make_unique<CQvDoc>(ui, std::nullopt);
        s_doc->OnNewDocument();
        ASSERT_TRUE(s_doc->OnOpenDocument(s_path));
        s_data = s_doc->Data();
        s_doc.reset();
    }
    static void TearDownTestSuite() { fs::remove(s_path); }

    static std::vector<double> Smoothed(const Spectrum& s) {
        std::vector<double> out(s.size());
        for (int c = 0; c < static_cast<int>(s.size()); ++c) {
            double sum = 0;
            int n = 0;
            for (int k = std::max(0, c - kSmoothing / 2);
                 k <= std::min<int>(static_cast<int>(s.size()) - 1, c + kSmoothing / 2); ++k) {
                sum += s[static_cast<std::size_t>(k)];
                ++n;
            }
            out[static_cast<std::size_t>(c)] = sum / n;
        }
        return out;
    }

    // Runs of channels well below the baseline (the median); runs closer than
    // kMergeGap belong to one dip that the noise has split.
    static std::vector<int> DipCentres(const Spectrum& s) {
        const auto smooth = Smoothed(s);
        auto sorted = smooth;
        std::nth_element(sorted.begin(), sorted.begin() + 2048, sorted.end());
        const double limit = sorted[2048] * (1 - kDipThreshold);
        std::vector<std::pair<int, int>> runs;
        for (int c = 0; c < 4096; ++c) {
            if (smooth[static_cast<std::size_t>(c)] >= limit) {
                continue;
            }
            if (!runs.empty() && c - runs.back().second <= kMergeGap) {
                runs.back().second = c;
            } else {
                runs.emplace_back(c, c);
            }
        }
        std::vector<int> centres;
        for (const auto& [first, last] : runs) {
            centres.push_back((first + last) / 2);
        }
        return centres;
    }

    // Where the power-up triangle puts a velocity, on the falling half.
    static int FallingChannel(double velocity) {
        const double peak = 80 * 0.106 * 512.0 / 520.0;
        return static_cast<int>(std::lround((1 - velocity / peak) * 2047.5 / 2));
    }

    static void ExpectSextetTwice(const Spectrum& s) {
        const auto dips = DipCentres(s);
        ASSERT_EQ(dips.size(), 12u);
        const double lines[] = {5.312, 3.076, 0.840, -0.840, -3.076, -5.312};
        for (int i = 0; i < 6; ++i) {
            const int falling = FallingChannel(lines[i]);
            EXPECT_NEAR(dips[static_cast<std::size_t>(i)], falling, 8) << lines[i];
            // The rising half mirrors the falling one.
            EXPECT_NEAR(dips[static_cast<std::size_t>(11 - i)], 4095 - falling, 8) << lines[i];
        }
    }

    static inline std::string s_path;
    static inline std::unique_ptr<CQvDoc> s_doc;
    static inline Measurement s_data;
};

TEST_F(SimulatedFileTest, Qv1ShowsTheSixDipsTwice) {
    ExpectSextetTwice(s_data.Qv1);
}

TEST_F(SimulatedFileTest, Qv2ShowsTheSixDipsTwice) {
    ExpectSextetTwice(s_data.Qv2);
}

TEST_F(SimulatedFileTest, WindowSplitsTheLineIntoCoincidenceAndAnticoincidence) {
    const auto anti = s_data.AaAntiCoinc();
    const auto coinc = s_data.AaCoinc();
    const auto sum = [](auto span, std::size_t from, std::size_t to) {
        return std::accumulate(span.begin() + from, span.begin() + to, 0ull);
    };
    // Window 1850..2150 on the 14.4 keV line at channel 2000.
    EXPECT_EQ(sum(anti, 1850, 2151), 0u);
    EXPECT_EQ(sum(coinc, 0, 1850), 0u);
    EXPECT_EQ(sum(coinc, 2151, 4096), 0u);
    EXPECT_GT(sum(coinc, 1950, 2050), 100000u);
    // The line's flanks just outside the window are anticoincidence.
    EXPECT_GT(sum(anti, 1750, 1850), sum(anti, 1550, 1650));
    EXPECT_GT(sum(anti, 2151, 2251), sum(anti, 2451, 2551));
}

TEST_F(SimulatedFileTest, ToolLeavesNoCardBehind) {
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
    std::uint8_t status = HardwareGlobals::Instance().Bus().In(0x303);
    EXPECT_EQ(status, 0xFF);
}

}  // namespace
}  // namespace qv::sim
