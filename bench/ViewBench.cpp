#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>

#include "BenchScenes.h"
#include "document/QvDoc.h"
#include "framework/HeadlessUi.h"
#include "framework/RgbCanvas.h"
#include "view/QvView.h"
#include "view/ViewConstants.h"

namespace qv {
namespace {

// A view over a measurement with every curve spread over the height, so that
// the points fall on many different pixels.
struct Scene {
    Scene() {
        doc.OnNewDocument();
        for (std::size_t i = 0; i < kChannels; ++i) {
            const double x = static_cast<double>(i);
            doc.Data().AaAntiCoinc()[i] =
                static_cast<std::uint32_t>(5000 + 4000 * std::sin(x / 90));
            doc.Data().AaCoinc()[i] = static_cast<std::uint32_t>(2000 + 1500 * std::cos(x / 70));
            doc.Data().Qv1[i] = static_cast<std::uint32_t>(100000 - 8000 * std::exp(-x / 500));
            doc.Data().Qv2[i] = static_cast<std::uint32_t>(90000 + (i * 7919) % 3000);
        }
        doc.UpdateStatistics();
        view.AttachDocument(doc);
        view.Create([] { return true; });
        view.OnInitialUpdate();
    }
    HeadlessUi ui;
    CQvDoc doc{ui, std::nullopt};
    bench::FullHdHost host;
    CQvView view{ui, host};
    RgbCanvas canvas{1920, 1080};
};

void FullRepaint(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.view.OnPaint(scene.canvas);
        benchmark::DoNotOptimize(scene.canvas.Data());
    }
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

// One accepted mouse move and the paint it asks for, back and forth.
void CursorDragRepaint(benchmark::State& state) {
    Scene scene;
    scene.view.OnPaint(scene.canvas);
    int x = 400;
    for (auto _ : state) {
        x = x == 400 ? 401 : 400;
        scene.view.OnMouseMove(MK_LBUTTON, {x, 500});
        scene.view.OnPaint(scene.canvas);
        benchmark::DoNotOptimize(scene.canvas.Data());
    }
}
BENCHMARK(CursorDragRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
