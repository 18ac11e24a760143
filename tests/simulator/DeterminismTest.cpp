#include "SimulatorFixture.h"
#include "simulator/SimulatedRun.h"

namespace qv::sim {
namespace {

struct Spectra {
    std::vector<std::uint32_t> aa = std::vector<std::uint32_t>(8192);
    std::vector<std::uint32_t> qv1 = std::vector<std::uint32_t>(4096);
    std::vector<std::uint32_t> qv2 = std::vector<std::uint32_t>(4096);
    bool operator==(const Spectra&) const = default;
};

class DeterminismTest : public SimulatorTest {
protected:
    Spectra Measure(std::uint64_t seed) {
        VirtualSpectrometerOptions options;
        options.card.seed = seed;
        m_clock.Set(12345);
        Install(options);
        SimulatedRun run(m_clock);
        EXPECT_EQ(run.Configure(), 0);
        EXPECT_EQ(run.ClearAndStart(), 0);
        run.Wait(20);
        EXPECT_EQ(run.Stop(), 0);
        Spectra s;
        EXPECT_EQ(run.Read(s.aa.data(), s.qv1.data(), s.qv2.data()), 0);
        return s;
    }
};

TEST_F(DeterminismTest, SameSeedSameSpectra) {
    EXPECT_EQ(Measure(42), Measure(42));
}

TEST_F(DeterminismTest, OtherSeedOtherNoise) {
    EXPECT_NE(Measure(42), Measure(43));
}

TEST_F(SimulatorTest, SpeedUpMakesTimePassFaster) {
    VirtualSpectrometerOptions options;
    options.card.speedUp = 10;
    Install(options);
    AdvanceSeconds(3);
    EXPECT_EQ(Field(LiveCounters(), 3, 3), 30u);
}

}  // namespace
}  // namespace qv::sim
