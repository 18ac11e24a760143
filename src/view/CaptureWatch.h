#pragma once

#include <functional>
#include <string>

namespace qv {

// How one autosave ended: the capture's result (0 or its error number),
// whether the file was then written, and the file it went to.
struct AutoSaveOutcome {
    int captureResult = 0;
    bool saved = false;
    std::string path;
};

// Watchers outside the window (the status page) that the acquisition loop
// tells what it did, on its own thread, right after doing it. Either may be
// empty.
struct CaptureWatch {
    // After each capture that the view shows, with the capture's result.
    std::function<void(int captureResult)> captured;
    // After each autosave attempt, before the capture that preceded it is shown.
    std::function<void(const AutoSaveOutcome&)> autoSaved;
};

}  // namespace qv
