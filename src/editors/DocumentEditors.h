#pragma once

#include "document/HardwareEditors.h"

namespace qv {

// The Settings menu's editors and the block captures, on the document's data.
class DocumentEditors : public HardwareEditors {
public:
    bool HasEditor(int command) const override;
    void RunEditor(int command, CQvDoc& document) override;
    int CaptureToBuffer(CapturedBlock block, CQvDoc& document) override;
};

}  // namespace qv
