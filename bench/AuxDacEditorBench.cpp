// Opening the aux/DAC editor on the virtual card and one "--> Hardware" round
// trip, headless: the delay an operator would see on opening and writing.
#include <benchmark/benchmark.h>

#include "editors/AuxDacDlg.h"
#include "editors/AuxDacTemplate.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace {

struct Bench {
    qv::ManualTickClock clock{1000};
    qv::VirtualSpectrometer card{clock};
    qv::HeadlessUi ui;
    Bench() {
        qv::HardwareGlobals::Instance().Reset();
        qv::HardwareGlobals::Instance().SetBus(card);
        qv::HardwareGlobals::Instance().SetClock(clock);
    }
    ~Bench() { qv::HardwareGlobals::Instance().Reset(); }
};

void AuxDacOpen(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        qv::CAuxDacDlg dialog(bench.ui);
        dialog.OnInitDialog();
        benchmark::DoNotOptimize(dialog.StatusText());
    }
}
BENCHMARK(AuxDacOpen)->Unit(benchmark::kMicrosecond);

void AuxDacWriteRoundTrip(benchmark::State& state) {
    Bench bench;
    qv::CAuxDacDlg dialog(bench.ui);
    dialog.OnInitDialog();
    dialog.TypeText(qv::IDC_DAC8, "99");
    for (auto _ : state) {
        dialog.OnCommand(qv::IDC_AUX_TO_HARDWARE);
        benchmark::DoNotOptimize(dialog.LastError());
    }
}
BENCHMARK(AuxDacWriteRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
