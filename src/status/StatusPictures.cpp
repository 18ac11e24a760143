#include "status/StatusPictures.h"

#include <algorithm>

#include "pictures/CanvasFont.h"
#include "pictures/PngFile.h"
#include "pictures/RunLogPlot.h"
#include "view/ScrollModes.h"
#include "view/ViewConstants.h"

namespace qv {

namespace {

constexpr int kFillBottom = kFieldHeight + 1;

std::optional<std::string> RunLogPng(const std::vector<RunLogRecord>& records,
                                     const std::string& title) {
    if (records.empty()) {
        return std::nullopt;
    }
    constexpr int w = StatusPictures::kWidth, h = StatusPictures::kPlotHeight;
    std::string why;
    const auto font = CanvasFont::Load(std::clamp(std::min(w, h) / 40, 11, 40), why);
    if (!font) {
        return std::nullopt;
    }
    RgbCanvas canvas(w, h);
    DrawRunLogPlot(canvas, *font, title, records);
    return EncodePng(canvas);
}

}  // namespace

// As the desktop paints a full repaint in fitted mode: field, cursor lines, points.
void DrawSnapshotView(RgbCanvas& canvas, const StatusSnapshot& s) {
    canvas.SetMapping(ViewMapping(false, kFieldSize, canvas.DeviceSize(), {}));
    canvas.FillRect({0, 0, kFieldWidth, kFillBottom}, kFieldColour);
    if (s.measure) {
        const Rgb previous = canvas.SelectPen(kCursorColour);
        for (const int cursor : {s.leftCursor, s.rightCursor}) {
            canvas.MoveTo(cursor, 0);
            canvas.LineTo(cursor, kFieldHeight);
        }
        canvas.SelectPen(previous);
    }
    DrawSpectrumPoints(canvas, s.data, s.statistics, s.shown, 0, kLastChannel);
}

std::shared_ptr<const std::string> StatusPictures::Picture(Cached& cache, const Draw& draw) {
    const auto snapshot = m_board.Current();
    if (!snapshot) {
        return nullptr;
    }
    std::lock_guard lock(m_mutex);
    if (cache.sequence != snapshot->sequence) {
        auto png = draw(*snapshot);
        cache.png = png ? std::make_shared<const std::string>(std::move(*png)) : nullptr;
        cache.sequence = snapshot->sequence;
    }
    return cache.png;
}

std::shared_ptr<const std::string> StatusPictures::View() {
    return Picture(m_view, [](const StatusSnapshot& s) {
        RgbCanvas canvas(kWidth, kViewHeight);
        DrawSnapshotView(canvas, s);
        return EncodePng(canvas);
    });
}

std::shared_ptr<const std::string> StatusPictures::RunLog() {
    return Picture(m_runLog, [this](const StatusSnapshot& s) {
        const std::string name =
            s.path.empty() ? std::string("(not saved)") : s.path.substr(s.path.rfind('/') + 1);
        return RunLogPng(m_board.History(), "Run log " + name);
    });
}

std::shared_ptr<const std::string> StatusPictures::Velocity() {
    PictureProvider provider;
    {
        std::lock_guard lock(m_providerMutex);
        provider = m_velocityProvider;
    }
    if (!provider) {
        return nullptr;
    }
    return Picture(m_velocity, [&provider](const StatusSnapshot& s) -> std::optional<std::string> {
        RgbCanvas canvas(kWidth, kPlotHeight);
        if (!provider(s, canvas)) {
            return std::nullopt;
        }
        return EncodePng(canvas);
    });
}

void StatusPictures::SetVelocityProvider(PictureProvider provider) {
    std::lock_guard lock(m_providerMutex);
    m_velocityProvider = std::move(provider);
}

bool StatusPictures::HasVelocityProvider() const {
    std::lock_guard lock(m_providerMutex);
    return static_cast<bool>(m_velocityProvider);
}

}  // namespace qv
