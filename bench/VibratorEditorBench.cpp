#include <benchmark/benchmark.h>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "editors/ReferenceTable.h"
#include "editors/VibratorDlg.h"
#include "editors/VibratorTemplate.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

// The vibrator editor on the virtual card, headless.
class VibratorBench {
public:
    VibratorBench() : m_card(m_clock) {
        HardwareGlobals::Instance().SetBus(m_card);
        HardwareGlobals::Instance().SetClock(m_clock);
    }
    ~VibratorBench() { HardwareGlobals::Instance().Reset(); }

    // Built as the Settings menu builds it.
    void Prepare(CVibratorDlg& dialog) {
        dialog.m_pBlock = &m_block;
        dialog.m_pCoefficients = &m_coefficients;
    }
    HeadlessUi& Ui() { return m_ui; }

private:
    ManualTickClock m_clock{1000};
    VirtualSpectrometer m_card;
    HeadlessUi m_ui;
    VibratorBlock m_block{};
    VelocityCoefficients m_coefficients = HardwareDescription::Defaults().Velocity;
};

// Construction, spin ranges and the opening read (commands 14, 4, 12).
void OpenEditor(benchmark::State& state) {
    VibratorBench bench;
    for (auto _ : state) {
        CVibratorDlg dialog(bench.Ui());
        bench.Prepare(dialog);
        dialog.MarkRunning();
        dialog.OnInitDialog();
        benchmark::DoNotOptimize(dialog.StatusText());
    }
}
BENCHMARK(OpenEditor)->Unit(benchmark::kMicrosecond);

// "--> Hardware": the two writes and the read-back.
void WriteRoundTrip(benchmark::State& state) {
    VibratorBench bench;
    CVibratorDlg dialog(bench.Ui());
    bench.Prepare(dialog);
    dialog.MarkRunning();
    dialog.OnInitDialog();
    int amplitude = 0;
    for (auto _ : state) {
        dialog.SetDlgItemText(IDC_AMPLITUDE_DESIRED, std::to_string(amplitude));
        amplitude = (amplitude + 1) % 1024;
        dialog.OnCommand(IDC_VIB_TO_HARDWARE);
        benchmark::DoNotOptimize(dialog.LastError());
    }
}
BENCHMARK(WriteRoundTrip)->Unit(benchmark::kMicrosecond);

// The table alone: 8192 samples and their wire form.
void GenerateReference(benchmark::State& state) {
    for (auto _ : state) {
        const ReferenceWire wire = EncodeReference(RoundedTriangle(CornerShape::Cosine, 220));
        benchmark::DoNotOptimize(wire.data());
    }
}
BENCHMARK(GenerateReference)->Unit(benchmark::kMicrosecond);

// "Cosine": generating the table, 16384 bytes to the card and the lock check.
void GenerateAndSendReference(benchmark::State& state) {
    VibratorBench bench;
    CVibratorDlg dialog(bench.Ui());
    bench.Prepare(dialog);
    dialog.MarkRunning();
    dialog.OnInitDialog();
    for (auto _ : state) {
        dialog.OnCommand(IDC_REFERENCE_COSINE);
        benchmark::DoNotOptimize(dialog.LastError());
    }
}
BENCHMARK(GenerateAndSendReference)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
