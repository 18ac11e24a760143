#pragma once

namespace qv {

class CQvDoc;

// The settings blocks a capture reads, in the order the capture takes them.
enum class CapturedBlock { CountersTimers, Analogue, HighVoltage, Vibrator };

// What the document needs from the editor layer above it: the Settings menu's
// editors, run modally on the document's data, and the block captures of an
// editor that is never shown. Installed by the application; without it the
// Settings commands are disabled.
class HardwareEditors {
public:
    virtual ~HardwareEditors() = default;
    virtual bool HasEditor(int command) const = 0;
    // Builds the editor for command on the stack with the document's pointers,
    // runs it modally and destroys it; the result is not used.
    virtual void RunEditor(int command, CQvDoc& document) = 0;
    // The editor's CaptureToBuffer into the document's block: 0, or 1 on failure.
    virtual int CaptureToBuffer(CapturedBlock block, CQvDoc& document) = 0;
};

}  // namespace qv
