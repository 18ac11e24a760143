#include <benchmark/benchmark.h>

#include <memory>

#include "document/SettingsBlocks.h"
#include "editors/CountersTimersDlg.h"
#include "editors/CountersTimersTemplate.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

// The virtual card as the process's card, its clock standing still.
class InstalledCard {
public:
    InstalledCard() : m_card(std::make_unique<VirtualSpectrometer>(m_clock)) {
        HardwareGlobals::Instance().SetBus(*m_card);
        HardwareGlobals::Instance().SetClock(m_clock);
    }
    ~InstalledCard() { HardwareGlobals::Instance().Reset(); }

private:
    ManualTickClock m_clock;
    std::unique_ptr<VirtualSpectrometer> m_card;
};

// Construction and OnInitDialog with its two reads, as the Settings menu opens it.
void OpenCountersEditor(benchmark::State& state) {
    InstalledCard card;
    HeadlessUi ui;
    for (auto _ : state) {
        CCountersTimersDlg dialog(ui);
        dialog.DoModal();
        benchmark::DoNotOptimize(dialog.Image().data());
    }
}
BENCHMARK(OpenCountersEditor)->Unit(benchmark::kMicrosecond);

// Opening, then "--> Hardware": the write and the read that follows.
void OpenAndWriteRoundTrip(benchmark::State& state) {
    InstalledCard card;
    HeadlessUi ui;
    for (auto _ : state) {
        ui.QueueModalScript([](CDialog& d) {
            d.TypeText(IDC_CT_UNIVERSAL_TIME, "1000");
            d.ClickCheck(IDC_CT_SET_UNIVERSAL);
            d.OnCommand(IDC_CT_TO_HARDWARE);
        });
        CCountersTimersDlg dialog(ui);
        dialog.DoModal();
        benchmark::DoNotOptimize(dialog.Image().data());
    }
}
BENCHMARK(OpenAndWriteRoundTrip)->Unit(benchmark::kMicrosecond);

// One counters read as the document's capture makes it, on an unseen editor.
void CountersRead(benchmark::State& state) {
    InstalledCard card;
    HeadlessUi ui;
    CountersTimersBlock block{};
    CCountersTimersDlg editor(ui);
    editor.m_pBlock = &block;
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor.CaptureToBuffer());
    }
}
BENCHMARK(CountersRead)->Unit(benchmark::kMicrosecond);

// The autosave's question while the countdown runs.
void BackupDueCheck(benchmark::State& state) {
    InstalledCard card;
    HeadlessUi ui;
    for (auto _ : state) {
        CCountersTimersDlg editor(ui);
        benchmark::DoNotOptimize(editor.BackupDue());
    }
}
BENCHMARK(BackupDueCheck)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
