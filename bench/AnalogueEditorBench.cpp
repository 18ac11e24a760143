#include <benchmark/benchmark.h>

#include <memory>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AnalogueBlockTemplate.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

// The virtual card installed as the process's card, as qv --simulate has it.
class SimulatedCard {
public:
    SimulatedCard() : m_card(std::make_unique<VirtualSpectrometer>(m_clock)) {
        HardwareGlobals::Instance().SetBus(*m_card);
        HardwareGlobals::Instance().SetClock(m_clock);
    }
    ~SimulatedCard() { HardwareGlobals::Instance().Reset(); }

private:
    ManualTickClock m_clock{1000};
    std::unique_ptr<VirtualSpectrometer> m_card;
};

// What the Settings command does before the window shows: build the editor
// with its pointers and run OnInitDialog, which reads the block.
void OpenAnalogueEditor(benchmark::State& state) {
    SimulatedCard card;
    HeadlessUi ui;
    AnalogueBlock block{};
    const HardwareDescription description = HardwareDescription::Defaults();
    for (auto _ : state) {
        CAnalogueBlockDlg dialog(ui);
        dialog.m_pBlock = &block;
        dialog.m_pDescription = &description;
        dialog.OnInitDialog();
        benchmark::DoNotOptimize(dialog.Image().data());
    }
}
BENCHMARK(OpenAnalogueEditor)->Unit(benchmark::kMicrosecond);

// One "--> Hardware": take the controls, pack, write 17 bytes, read back.
void AnalogueWriteRoundTrip(benchmark::State& state) {
    SimulatedCard card;
    HeadlessUi ui;
    CAnalogueBlockDlg dialog(ui);
    dialog.OnInitDialog();
    int gain = 0;
    for (auto _ : state) {
        dialog.TypeText(IDC_GAIN, std::to_string(gain));
        gain = (gain + 1) & 127;
        dialog.OnToHardware();
        benchmark::DoNotOptimize(dialog.Image().data());
    }
}
BENCHMARK(AnalogueWriteRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
