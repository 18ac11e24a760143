#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "framework/RgbCanvas.h"
#include "status/StatusBoard.h"

namespace qv {

// Draws a picture of the snapshot on the canvas it is given; false when it
// has none to draw (no calibration set, for the velocity spectrum). It runs
// on a page thread and must use nothing but the snapshot and what it owns.
using PictureProvider = std::function<bool(const StatusSnapshot& snapshot, RgbCanvas& canvas)>;

// The page's pictures as PNG bytes, drawn on the asking thread from the
// board's snapshot and kept until the next capture, so that any number of
// clients cost one drawing per capture.
class StatusPictures {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kViewHeight = 384;
    static constexpr int kPlotHeight = 480;

    explicit StatusPictures(const StatusBoard& board) : m_board(board) {}

    // The desktop's channel view: fitted, with the shown curves and cursors.
    std::shared_ptr<const std::string> View();
    // The run log plot of the captures so far.
    std::shared_ptr<const std::string> RunLog();
    // Whatever the front end hooked in; nothing until then.
    std::shared_ptr<const std::string> Velocity();
    void SetVelocityProvider(PictureProvider provider);
    bool HasVelocityProvider() const;

private:
    struct Cached {
        std::uint64_t sequence = 0;
        std::shared_ptr<const std::string> png;
    };
    using Draw = std::function<std::optional<std::string>(const StatusSnapshot&)>;
    std::shared_ptr<const std::string> Picture(Cached& cache, const Draw& draw);

    const StatusBoard& m_board;
    std::mutex m_mutex;  // one drawing at a time; the others wait for its result
    Cached m_view, m_runLog, m_velocity;
    PictureProvider m_velocityProvider;
    mutable std::mutex m_providerMutex;
};

// The view's drawing of the snapshot on a canvas of any size.
void DrawSnapshotView(RgbCanvas& canvas, const StatusSnapshot& snapshot);

}  // namespace qv
