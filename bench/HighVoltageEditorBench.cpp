// Opening the high-voltage editor on the virtual card and one "--> Hardware"
// round trip, headless: the delay an operator would see on opening and writing.
#include <benchmark/benchmark.h>

#include "document/HardwareDescription.h"
#include "editors/HighVoltageDlg.h"
#include "editors/HighVoltageTemplate.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace {

struct Bench {
    qv::ManualTickClock clock{1000};
    qv::VirtualSpectrometer card{clock};
    qv::HeadlessUi ui;
    qv::HighVoltageBlock block{};
    qv::HvCalibration calibration = qv::HardwareDescription::Defaults().Hv;
    Bench() {
        qv::HardwareGlobals::Instance().Reset();
        qv::HardwareGlobals::Instance().SetBus(card);
        qv::HardwareGlobals::Instance().SetClock(clock);
    }
    ~Bench() { qv::HardwareGlobals::Instance().Reset(); }
    void Point(qv::CHighVoltageDlg& dialog) {
        dialog.m_pBlock = &block;
        dialog.m_pCalibration = &calibration;
    }
};

void HighVoltageOpen(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        qv::CHighVoltageDlg dialog(bench.ui);
        bench.Point(dialog);
        dialog.OnInitDialog();
        benchmark::DoNotOptimize(dialog.VoltsReadOut());
    }
}
BENCHMARK(HighVoltageOpen)->Unit(benchmark::kMicrosecond);

void HighVoltageWriteRoundTrip(benchmark::State& state) {
    Bench bench;
    qv::CHighVoltageDlg dialog(bench.ui);
    bench.Point(dialog);
    dialog.OnInitDialog();
    dialog.TypeText(qv::IDC_HV_DESIRED, "512");
    for (auto _ : state) {
        dialog.OnCommand(qv::IDC_HV_TO_HARDWARE);
        benchmark::DoNotOptimize(dialog.LastError());
    }
}
BENCHMARK(HighVoltageWriteRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
